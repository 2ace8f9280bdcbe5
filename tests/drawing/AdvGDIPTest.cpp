// The wrappers' status rules, start-up, and the raw format codes.

#include <gtest/gtest.h>

#include <vector>

#include "drawing/AdvGDIP.h"
#include "platform/Graphics.h"

TEST(AdvGDIP, TheLayerRunsForTheSessionAndAWrapperMadeOutsideOneStartsIt) {
    {
        const TGdiplusSession session;
        EXPECT_TRUE(GdiplusStarted());
    }
    EXPECT_FALSE(GdiplusStarted());
    TGPGraphicsPath path; // an object asked for afterwards starts it again
    EXPECT_TRUE(GdiplusStarted());
}

TEST(AdvGDIP, CreationStoresItsStatusAndALaterSuccessNeverClearsAFailure) {
    TGPFontFamily missing("No Such Face 123");
    EXPECT_EQ(missing.GetLastStatus(), TStatus::FontFamilyNotFound);
    TGPFont font(missing, 9, 0, TUnit::UnitPoint);
    EXPECT_EQ(font.GetLastStatus(), TStatus::InvalidParameter);

    TBitmap target(4, 4);
    TGPGraphics g(target.Canvas());
    EXPECT_EQ(g.GetLastStatus(), TStatus::Ok);
    TGPPen pen(0xFF000000);
    EXPECT_EQ(g.DrawPath(&pen, nullptr), TStatus::InvalidParameter);
    TGPGraphicsPath path;
    path.AddLine(0, 0, 3, 0);
    EXPECT_EQ(g.DrawPath(&pen, &path), TStatus::Ok);
    EXPECT_EQ(g.GetLastStatus(), TStatus::InvalidParameter);

    TGPBitmap bitmap(2, 2);
    EXPECT_EQ(bitmap.GetLastStatus(), TStatus::Ok);
    TARGB c = 0;
    EXPECT_EQ(bitmap.GetPixel(5, 0, c), TStatus::InvalidParameter);
    EXPECT_EQ(bitmap.SetPixel(1, 1, 0xFF102030), TStatus::Ok);
    EXPECT_EQ(bitmap.GetPixel(1, 1, c), TStatus::Ok);
    EXPECT_EQ(c, 0xFF102030u);
    EXPECT_EQ(bitmap.GetLastStatus(), TStatus::InvalidParameter);
    EXPECT_EQ(RawFormatCode(bitmap), 1); // made in memory

    // A failed creation is what the object reports, even after calls that worked.
    TGPBitmap none(0, 3);
    EXPECT_EQ(none.GetLastStatus(), TStatus::InvalidParameter);
    const std::vector<std::uint8_t> junk = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'g'};
    TGPImage image(junk);
    EXPECT_EQ(image.GetLastStatus(), TStatus::UnknownImageFormat);
    EXPECT_EQ(RawFormatCode(image), 0);
    EXPECT_EQ(g.DrawImage(&image, 0, 0, 2, 2), TStatus::InvalidParameter);
}

TEST(AdvGDIP, ImagesDrawRectToRectWithOrWithoutAColourKey) {
    TGPBitmap image(2, 1);
    image.SetPixel(0, 0, 0xFFFF0000);
    image.SetPixel(1, 0, 0xFF0000FF);
    TBitmap target(4, 1);
    {
        TGPGraphics g(target.Canvas());
        EXPECT_EQ(g.DrawImage(&image, {0, 0, 2, 1}, 0, 0, 2, 1, TUnit::UnitPixel, nullptr),
                  TStatus::Ok);
        TGPImageAttributes keyed;
        keyed.SetColorKey(0xFF0000FF, 0xFF0000FF);
        EXPECT_EQ(g.DrawImage(&image, {2, 0, 2, 1}, 0, 0, 2, 1, TUnit::UnitPixel, &keyed),
                  TStatus::Ok);
        EXPECT_EQ(g.DrawImage(&image, {2, 0, 2, 1}, 0, 0, 2, 1, TUnit::UnitPoint, &keyed),
                  TStatus::InvalidParameter);
    }
    EXPECT_EQ(target.Pixel(0, 0), 0x0000FFu); // red
    EXPECT_EQ(target.Pixel(1, 0), 0xFF0000u); // blue
    EXPECT_EQ(target.Pixel(2, 0), 0x0000FFu);
    EXPECT_EQ(target.Pixel(3, 0), clWhite); // keyed out: the bitmap's white shows
    // A pen of width 0 is GDI+'s thinnest; a negative width is refused.
    EXPECT_EQ(TGPPen(0xFF000000, 0.0f).GetLastStatus(), TStatus::Ok);
    EXPECT_EQ(TGPPen(0xFF000000, -1.0f).GetLastStatus(), TStatus::InvalidParameter);
}

TEST(AdvGDIP, SurroundColoursAreCheckedAgainstThePointCount) {
    TGPGraphicsPath ellipse;
    ellipse.AddEllipse(0, 0, 20, 10);
    TGPPathGradientBrush brush(ellipse);
    EXPECT_EQ(brush.GetLastStatus(), TStatus::Ok);
    const int points = brush.GetPointCount();
    EXPECT_GT(points, 1);
    const std::vector<TARGB> colours(static_cast<std::size_t>(points) + 1, 0xFF0000FF);
    EXPECT_EQ(brush.SetSurroundColors(colours.data(), points), TStatus::Ok);
    EXPECT_EQ(brush.GetLastStatus(), TStatus::Ok);
    EXPECT_EQ(brush.SetSurroundColors(colours.data(), points + 1), TStatus::InvalidParameter);
    EXPECT_EQ(brush.GetLastStatus(), TStatus::InvalidParameter);
    EXPECT_EQ(brush.SetSurroundColors(colours.data(), 1), TStatus::Ok);
    EXPECT_EQ(brush.GetLastStatus(), TStatus::InvalidParameter); // not cleared

    TGPPathGradientBrush other(ellipse);
    EXPECT_EQ(other.SetSurroundColors(nullptr, 1), TStatus::InvalidParameter);
    TGPGraphicsPath empty;
    TGPPathGradientBrush pointless(empty);
    EXPECT_NE(pointless.GetLastStatus(), TStatus::Ok);
    EXPECT_EQ(pointless.GetPointCount(), 0);
    const TARGB one = 0xFF000000;
    EXPECT_EQ(pointless.SetSurroundColors(&one, 1), TStatus::InvalidParameter);
}
