// Pictures as file bytes: sizes, notifications, and drawing with the bottom-left colour key
// of Windows bitmaps.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <vector>

#include "drawing/AdvGDIP.h"
#include "drawing/GDIPicture.h"
#include "drawing/PictureDrawing.h"
#include "platform/Graphics.h"
#include "BlankBitmap.h"

namespace {

constexpr TColor kKey = 0xFF00FF; // magenta, 0x00BBGGRR
constexpr TColor kInk = 0x0000FF;
constexpr TColor kLeaf = 0x00FF00;

// 3 x 2: top row ink, key, leaf; bottom row key, leaf, ink. Bottom-left is the key.
const TColor kPixels[2][3] = {{kInk, kKey, kLeaf}, {kKey, kLeaf, kInk}};

void Put16(std::vector<std::uint8_t>& v, unsigned x) {
    v.push_back(x & 0xFF);
    v.push_back((x >> 8) & 0xFF);
}
void Put32(std::vector<std::uint8_t>& v, unsigned x) {
    Put16(v, x & 0xFFFF);
    Put16(v, x >> 16);
}

// The pixels as a 32-bit DIB: the info header (height as given) and bottom-up rows.
void PutDib(std::vector<std::uint8_t>& v, int dibHeight) {
    Put32(v, 40), Put32(v, 3), Put32(v, static_cast<unsigned>(dibHeight)), Put16(v, 1),
        Put16(v, 32);
    for (int i = 0; i < 6; ++i)
        Put32(v, 0);
    for (int y = 1; y >= 0; --y)
        for (int x = 0; x < 3; ++x) {
            const TColor c = kPixels[y][x];
            v.push_back((c >> 16) & 0xFF), v.push_back((c >> 8) & 0xFF), v.push_back(c & 0xFF);
            v.push_back(0xFF);
        }
}

std::vector<std::uint8_t> Bmp() {
    std::vector<std::uint8_t> v = {'B', 'M'};
    Put32(v, 14 + 40 + 24), Put32(v, 0), Put32(v, 14 + 40);
    PutDib(v, 2);
    return v;
}

std::vector<std::uint8_t> Ico() {
    std::vector<std::uint8_t> v;
    Put16(v, 0), Put16(v, 1), Put16(v, 1);
    v.push_back(3), v.push_back(2), v.push_back(0), v.push_back(0);
    Put16(v, 1), Put16(v, 32), Put32(v, 40 + 24 + 8), Put32(v, 6 + 16);
    PutDib(v, 4);
    for (int i = 0; i < 8; ++i) // the AND mask: two rows of 4 bytes, all opaque
        v.push_back(0);
    return v;
}

std::unique_ptr<TGDIPPicture> PictureOf(const std::vector<std::uint8_t>& bytes) {
    auto picture = std::make_unique<TGDIPPicture>();
    picture->LoadFromStream(&bytes);
    return picture;
}

} // namespace

TEST(Picture, LoadingSizesAndNotifies) {
    TGDIPPicture picture;
    EXPECT_TRUE(picture.Empty());
    int changes = 0, clears = 0;
    picture.OnChange = [&](TObject*) { ++changes; };
    picture.OnClear = [&](TObject*) { ++clears; };
    const std::vector<std::uint8_t> bmp = Bmp();
    picture.LoadFromStream(nullptr);
    EXPECT_EQ(changes, 0);
    picture.LoadFromStream(&bmp);
    EXPECT_FALSE(picture.Empty());
    EXPECT_EQ(picture.Width(), 3);
    EXPECT_EQ(picture.Height(), 2);
    EXPECT_EQ(changes, 1);

    const std::string file = testing::TempDir() + "picture-test.bmp";
    const std::vector<std::uint8_t> other = TBitmap(5, 4).SaveToBytes();
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(other.data()), static_cast<long>(other.size()));
    picture.LoadFromFile(file);
    EXPECT_EQ(clears, 1);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(picture.Bytes(), other);
    EXPECT_EQ(picture.Width(), 5);
    EXPECT_EQ(picture.Height(), 4);
    std::remove(file.c_str());
    picture.LoadFromFile(file); // gone: empty, nothing raised
    EXPECT_TRUE(picture.Empty());
    EXPECT_EQ(changes, 2);

    TGDIPPicture copy;
    copy.Assign(&picture);
    EXPECT_TRUE(copy.Empty());
    const auto source = PictureOf(bmp);
    copy.Assign(source.get());
    EXPECT_FALSE(copy.Empty());
    EXPECT_EQ(copy.Width(), 3);
    int copyClears = 0;
    copy.OnClear = [&](TObject*) { ++copyClears; };
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
    EXPECT_TRUE(copy.Bytes().empty());
    EXPECT_EQ(copyClears, 1);

    // A platform bitmap comes in its file form, a Windows bitmap, and is drawn as one.
    TBitmap bitmap(4, 3);
    bitmap.Canvas().Brush().Color = kKey;
    bitmap.Canvas().FillRect(Rect(0, 0, 4, 3));
    bitmap.Canvas().SetPixel(1, 0, kInk);
    copy.Assign(bitmap);
    EXPECT_FALSE(copy.Empty());
    EXPECT_EQ(copy.Width(), 4);
    EXPECT_EQ(copy.Height(), 3);
    auto drawn = Blank(6, 6);
    {
        TGPGraphics g(drawn->Canvas());
        DrawPictureAt(g, {1, 1}, copy);
    }
    EXPECT_EQ(drawn->Pixel(2, 1), kInk);
    EXPECT_EQ(drawn->Pixel(1, 1), kUnpainted);
    copy.Assign(TBitmap());
    EXPECT_TRUE(copy.Empty());

    // The form file's bytes make a picture without sizing it.
    TGDIPPicture read;
    read.ReadData(bmp);
    EXPECT_FALSE(read.Empty());
    EXPECT_EQ(read.Width(), 0);
    std::vector<std::uint8_t> saved;
    read.SaveToStream(saved);
    EXPECT_EQ(saved, bmp);
}

TEST(Picture, ABitmapLeavesOutEveryPixelOfItsBottomLeftColourAndOtherFormatsDoNot) {
    auto bmp = Blank(8, 6);
    auto ico = Blank(8, 6);
    {
        TGPGraphics g(bmp->Canvas());
        DrawPictureAt(g, {2, 1}, *PictureOf(Bmp()));
        TGPGraphics gi(ico->Canvas());
        DrawPictureAt(gi, {2, 1}, *PictureOf(Ico()));
        const TGDIPPicture none;
        DrawPictureAt(gi, {0, 0}, none); // empty: nothing
    }
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            const TColor c = kPixels[y][x];
            EXPECT_EQ(bmp->Pixel(2 + x, 1 + y), c == kKey ? kUnpainted : c) << x << "," << y;
            EXPECT_EQ(ico->Pixel(2 + x, 1 + y), c) << x << "," << y;
        }
    EXPECT_EQ(bmp->Pixel(1, 1), kUnpainted);
    EXPECT_EQ(ico->Pixel(0, 0), kUnpainted);
    EXPECT_EQ(ico->Pixel(5, 1), kUnpainted);
}

TEST(Picture, StretchedIntoARectangle) {
    auto b = Blank(8, 6);
    PictureOf(Bmp())->Draw(b->Canvas(), Rect(1, 1, 7, 5)); // 3 x 2 doubled
    EXPECT_EQ(b->Pixel(1, 1), kInk);
    EXPECT_EQ(b->Pixel(2, 2), kInk);
    EXPECT_EQ(b->Pixel(3, 2), kUnpainted); // the key, doubled
    EXPECT_EQ(b->Pixel(1, 4), kUnpainted);
    EXPECT_EQ(b->Pixel(6, 4), kInk);
    EXPECT_EQ(b->Pixel(7, 4), kUnpainted);

    auto ico = Blank(8, 6);
    PictureOf(Ico())->Draw(ico->Canvas(), Rect(0, 0, 6, 4));
    EXPECT_EQ(ico->Pixel(0, 0), kInk);
    EXPECT_EQ(ico->Pixel(5, 3), kInk);
    EXPECT_EQ(ico->Pixel(6, 0), kUnpainted);
    EXPECT_EQ(ico->Pixel(0, 4), kUnpainted);
}
