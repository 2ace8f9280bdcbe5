// Picture stores: GIF frames, the container's names, the cache's references, and what markup
// draws from them.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "BitmapProbe.h"
#include "BlankBitmap.h"
#include "htmllabel/DrawHTML.h"
#include "htmllabel/GifFrames.h"
#include "htmllabel/PictureContainer.h"
#include "platform/SysUtils.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& v, int x) {
    v.push_back(static_cast<std::uint8_t>(x & 0xFF));
    v.push_back(static_cast<std::uint8_t>(x >> 8));
}

struct Frame {
    int left, top, width, height, colour; // colour: index into black, red, green, blue
};

// A GIF on a 10 x 10 screen (or another), one single-colour frame per entry. Each pixel is
// coded after a clear code, so the 3-bit code size never grows.
Bytes Gif(const std::vector<Frame>& frames, int screenWidth = 10, int screenHeight = 10) {
    Bytes v = {'G', 'I', 'F', '8', '9', 'a'};
    Put16(v, screenWidth), Put16(v, screenHeight);
    v.insert(v.end(), {0x81, 0, 0});
    v.insert(v.end(), {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255});
    for (const Frame& f : frames) {
        v.insert(v.end(), {0x21, 0xF9, 0x04, 0, 0, 0, 0, 0, 0x2C});
        Put16(v, f.left), Put16(v, f.top), Put16(v, f.width), Put16(v, f.height);
        v.push_back(0);
        v.push_back(2); // minimum code size
        std::vector<int> codes;
        for (int i = 0; i < f.width * f.height; ++i)
            codes.insert(codes.end(), {4, f.colour});
        codes.push_back(5);
        Bytes data;
        unsigned bits = 0, count = 0;
        for (int c : codes) {
            bits |= static_cast<unsigned>(c) << count;
            count += 3;
            while (count >= 8) {
                data.push_back(static_cast<std::uint8_t>(bits & 0xFF));
                bits >>= 8;
                count -= 8;
            }
        }
        if (count)
            data.push_back(static_cast<std::uint8_t>(bits));
        for (std::size_t at = 0; at < data.size(); at += 255) {
            const std::size_t n = std::min<std::size_t>(255, data.size() - at);
            v.push_back(static_cast<std::uint8_t>(n));
            v.insert(v.end(), data.begin() + static_cast<long>(at),
                     data.begin() + static_cast<long>(at + n));
        }
        v.push_back(0);
    }
    v.push_back(0x3B);
    return v;
}

const std::vector<Frame> kThreeFrames = {{0, 0, 10, 10, 3}, {3, 2, 4, 5, 1}, {1, 1, 2, 2, 2}};

void Paint(TBitmap& b, std::string_view markup, TPictureContainer* container,
           THTMLPictureCache* cache = nullptr) {
    std::string anchor;
    int x = 0, y = 0, link = 0;
    DrawHTML(b.Canvas(), markup, Rect(0, 0, b.Width(), b.Height()), nullptr, -1, -1, false, anchor,
             x, y, link, clBlue, clGray, 2, cache, container);
}

} // namespace

TEST(PictureStore, GifFramesAreCountedAndTheSelectedOneIsShownWithItsOwnPlace) {
    const Bytes gif = Gif(kThreeFrames);
    EXPECT_EQ(CountGifFrames(gif), 3);
    EXPECT_EQ(CountGifFrames(Bytes{'B', 'M', 0, 0}), -1);
    // A frame start whose descriptor runs past the end is not counted.
    Bytes cut(gif.begin(), gif.begin() + 13 + 12 + 15);
    EXPECT_EQ(CountGifFrames(cut), 0);

    TPictureContainer container;
    TPictureItem& item = container.Items().Add();
    item.SetName("Anim");
    item.Picture().LoadFromStream(gif);
    EXPECT_EQ(item.Picture().FrameCount(), 3);
    int frameChanges = 0;
    item.Picture().OnFrameChange = [&](TObject*) { ++frameChanges; };
    item.Picture().SetFrame(2);
    EXPECT_EQ(frameChanges, 1);
    EXPECT_EQ(item.Picture().FrameXPos(), 3);
    EXPECT_EQ(item.Picture().FrameYPos(), 2);
    EXPECT_EQ(item.Picture().DisplayWidth(), 4);
    EXPECT_EQ(item.Picture().DisplayHeight(), 5);

    auto b = Blank(40, 30);
    Paint(*b, "<IMG src=\"aNIM\">", &container);
    EXPECT_EQ(PaintedBox(*b, kUnpainted), Rect(3, 2, 7, 7));
    EXPECT_EQ(Count(*b, kRed), 20);

    // Frames past the last show the last; the first frame fills the screen.
    item.Picture().SetFrame(9);
    EXPECT_EQ(item.Picture().DisplayWidth(), 2);
    item.Picture().SetFrame(1);
    auto first = Blank(40, 30);
    Paint(*first, "x<IMG src=\"anim\">", &container);
    EXPECT_EQ(Count(*first, kBlue), 100);
}

TEST(PictureStore, ContainerFindsNamesInAnyCaseAndStretchesToTheMarkupsSize) {
    TPictureContainer container;
    container.Items().Add().SetName("other");
    TPictureItem& item = container.Items().Add();
    item.SetName("Logo");
    item.Picture().LoadFromStream(Gif({{0, 0, 10, 10, 1}}));
    EXPECT_EQ(container.FindPicture("LOGO"), &item.Picture());
    EXPECT_EQ(container.FindPicture("logo"), &item.Picture());
    EXPECT_EQ(container.FindPicture("log"), nullptr);
    EXPECT_THROW(container.Items().Items(2), EStringListError);

    auto b = Blank(60, 40);
    Paint(*b, "<IMG src=\"logo\" width=\"20\" height=\"6\">", &container);
    EXPECT_EQ(PaintedBox(*b, kUnpainted), Rect(0, 0, 20, 6));
    // Both sizes or neither.
    auto natural = Blank(60, 40);
    Paint(*natural, "<IMG src=\"logo\" width=\"20\">", &container);
    EXPECT_EQ(PaintedBox(*natural, kUnpainted), Rect(0, 0, 10, 10));

    // A picture whose bytes do not decode takes no room.
    TPictureItem& bad = container.Items().Add();
    bad.SetName("bad");
    EXPECT_THROW(bad.Picture().LoadFromStream(Bytes{1, 2, 3}), Exception);
    TBitmap canvas(60, 40);
    EXPECT_EQ(LayoutHTML(canvas.Canvas(), "<IMG src=\"bad\">x", Rect(0, 0, 60, 40),
                         {nullptr, nullptr, &container})
                  .Boxes.size(),
              1u);
}

TEST(PictureStore, BytesThatDoNotDecodeRaiseTheirMessageAndDrawNothing) {
    THTMLPicture picture;
    const Bytes junk = {'G', 'I', 'F', '8', '9', 'a', 1, 2, 3};
    try {
        picture.LoadFromStream(junk);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Could not load image. Invalid format");
    }
    EXPECT_FALSE(picture.Empty());
    EXPECT_EQ(picture.Data(), junk);
    EXPECT_EQ(picture.DisplayWidth(), 0);

    picture.LoadFromFile("/nonexistent/picture.gif");
    EXPECT_TRUE(picture.Empty());
}

TEST(PictureStore, AnEmptiedPictureTakesNoRoom) {
    TPictureContainer container;
    TPictureItem& item = container.Items().Add();
    item.SetName("pic");
    TBitmap canvas(60, 40);
    const auto xOfText = [&] {
        const THTMLLayout l = LayoutHTML(canvas.Canvas(), "<IMG src=\"pic\">x", Rect(0, 0, 60, 40),
                                         {nullptr, nullptr, &container});
        return l.Boxes.back().Bounds.Left;
    };
    item.Picture().LoadFromStream(Gif(kThreeFrames));
    item.Picture().SetFrame(2);
    EXPECT_EQ(xOfText(), 4);
    item.Picture().Assign(nullptr);
    EXPECT_EQ(item.Picture().DisplayWidth(), 0);
    EXPECT_EQ(item.Picture().FrameWidth(), 0);
    EXPECT_EQ(xOfText(), 0);
    item.Picture().LoadFromStream(Gif(kThreeFrames));
    item.Picture().SetFrame(2);
    item.Picture().LoadFromFile("/nonexistent/picture.gif"); // a failed load empties it too
    EXPECT_EQ(item.Picture().DisplayHeight(), 0);
    EXPECT_EQ(xOfText(), 0);
}

TEST(PictureStore, SizesAreHeldToTheDecodedPictureAndTheMarkupsLimit) {
    // A frame that claims 60000 x 60000 on a 10 x 10 screen is no larger than the picture.
    Bytes liar = Gif({{2, 3, 2, 2, 1}});
    const std::size_t descriptor = 13 + 12 + 9; // after the screen, the colours, the 0x2C
    liar[descriptor + 4] = liar[descriptor + 6] = 0x60;
    liar[descriptor + 5] = liar[descriptor + 7] = 0xEA; // 60000
    THTMLPicture picture;
    try {
        picture.LoadFromStream(liar);
    } catch (const Exception&) {
        // A decoder may refuse it outright; then it takes no room at all.
    }
    EXPECT_LE(picture.DisplayWidth(), picture.Width());
    EXPECT_LE(picture.DisplayHeight(), picture.Height());
    EXPECT_LE(picture.DisplayWidth(), 10);

    // A valid GIF on a 6000 x 6000 screen decodes; a frame wider than markup's limit is laid
    // out at the limit.
    TPictureContainer container;
    TPictureItem& wide = container.Items().Add();
    wide.SetName("wide");
    EXPECT_NO_THROW(wide.Picture().LoadFromStream(Gif({{0, 0, 5000, 1, 1}}, 6000, 6000)));
    EXPECT_EQ(wide.Picture().DisplayWidth(), 5000);
    TBitmap canvas(60, 40);
    const THTMLLayout l = LayoutHTML(canvas.Canvas(), "<IMG src=\"wide\">", Rect(0, 0, 60, 40),
                                     {nullptr, nullptr, &container});
    ASSERT_EQ(l.Boxes.size(), 1u);
    EXPECT_EQ(l.Boxes[0].Bounds.Width(), kMaxPictureSide);

    // Past what a picture may hold, the size is what the message names.
    try {
        THTMLPicture huge;
        huge.LoadFromStream(Gif({{0, 0, 1, 1, 1}}, 9000, 9000));
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Could not allocate memory for image");
    }
}

TEST(PictureStore, BodyTilesItsBackgroundPutsCornerPicturesAndRunsItsGradientEitherWay) {
    TPictureContainer container;
    const auto add = [&](const char* name, int w, int h, TColor c) {
        TBitmap b(w, h);
        b.Canvas().Brush().Color = c;
        b.Canvas().FillRect(Rect(0, 0, w, h));
        TPictureItem& item = container.Items().Add();
        item.SetName(name);
        item.Picture().LoadFromStream(b.SaveToBytes());
    };
    add("tile", 3, 2, kRed);
    add("tl", 4, 3, kBlue);
    add("tr", 5, 2, 0x00FF00);
    const TRect r = Rect(5, 4, 25, 15);
    const auto paint = [&](std::string_view markup) {
        auto b = Blank(40, 30);
        std::string anchor;
        int x = 0, y = 0, link = 0;
        DrawHTML(b->Canvas(), markup, r, nullptr, -1, -1, false, anchor, x, y, link, clBlue, clGray,
                 2, nullptr, &container);
        return b;
    };
    // Tiles cover the rectangle exactly, the last ones cut at its edges.
    const auto tiled = paint("<BODY background=\"tile\">");
    EXPECT_EQ(PaintedBox(*tiled, kUnpainted), r);
    EXPECT_EQ(Count(*tiled, kRed), r.Width() * r.Height());
    const auto corners = paint("<BODY bgtopleft=\"tl\" bgtopright=\"tr\">");
    EXPECT_EQ(PaintedBox(*corners, kUnpainted, Rect(0, 0, 15, 30)), Rect(5, 4, 9, 7));
    EXPECT_EQ(PaintedBox(*corners, kUnpainted, Rect(15, 0, 40, 30)), Rect(20, 4, 25, 6));
    // A colour fills the rectangle widened two pixels to the left.
    EXPECT_EQ(PaintedBox(*paint("<BODY bgcolor=\"clRed\">"), kUnpainted), Rect(3, 4, 25, 15));
    // A gradient runs across unless told otherwise: red at its start, blue at its end.
    const auto reddish = [](TColor c) { return (c & 0xFF) > 0xE0 && (c >> 16) < 0x20; };
    const auto bluish = [](TColor c) { return (c >> 16) > 0xE0 && (c & 0xFF) < 0x20; };
    const auto across = paint("<BODY bgcolor=\"#FF0000\" bgcolorto=\"#0000FF\">");
    EXPECT_TRUE(reddish(across->Pixel(5, 4)));
    EXPECT_EQ(across->Pixel(5, 14), across->Pixel(5, 4));
    EXPECT_TRUE(bluish(across->Pixel(24, 4)));
    EXPECT_EQ(across->Pixel(24, 14), across->Pixel(24, 4));
    const auto down = paint("<BODY bgcolor=\"#FF0000\" bgcolorto=\"#0000FF\" dir=\"v\">");
    EXPECT_TRUE(reddish(down->Pixel(5, 4)));
    EXPECT_EQ(down->Pixel(24, 4), down->Pixel(5, 4));
    EXPECT_TRUE(bluish(down->Pixel(5, 14)));
    EXPECT_EQ(down->Pixel(24, 14), down->Pixel(5, 14));
}

TEST(PictureStore, CacheLoadsAFileReferenceOnceAndLeavesOtherSchemesEmpty) {
    const std::string path = testing::TempDir() + "markup-picture.gif";
    {
        const Bytes gif = Gif({{0, 0, 10, 10, 2}});
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(gif.data()), static_cast<long>(gif.size()));
    }
    THTMLPictureCache cache;
    const std::string markup = "<IMG src=\"FILE://" + path + "\"><IMG src=\"http://x/y.gif\">z";
    auto b = Blank(60, 40);
    Paint(*b, markup, nullptr, &cache);
    Paint(*b, markup, nullptr, &cache);
    ASSERT_EQ(cache.Count(), 2);
    EXPECT_EQ(cache.FindPicture("FILE://" + path), &cache.Items(0));
    EXPECT_TRUE(cache.Items(1).Empty());
    EXPECT_EQ(cache.Items(1).PendingURL(), "http://x/y.gif");
    EXPECT_EQ(Count(*b, 0x00FF00), 100);
    std::remove(path.c_str());
}
