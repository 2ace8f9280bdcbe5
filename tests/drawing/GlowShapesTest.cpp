// The glow face, frames and arrow rendered onto bitmaps first filled with a colour that none
// of the drawing uses, so a pixel left unpainted shows.

#include <gtest/gtest.h>

#include <memory>

#include "drawing/AdvGDIP.h"
#include "drawing/GlowShapes.h"
#include "platform/Graphics.h"
#include "BlankBitmap.h"

namespace {

int Red(TColor c) {
    return static_cast<int>(c & 0xFF);
}
int Blue(TColor c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

} // namespace

TEST(GlowShapes, TheTopPartWinsTheSharedRowsOfAnOddAndAnEvenFace) {
    // Top colours are pure red shades, mirror colours pure blue shades.
    for (TGDIPGradient kind :
         {TGDIPGradient::ggRadial, TGDIPGradient::ggVertical, TGDIPGradient::ggDiagonalForward}) {
        for (int height : {27, 26}) {
            auto b = Blank(40, height);
            {
                TGPGraphics g(b->Canvas());
                FillGlowFace(b->Canvas(), g, Rect(0, 0, 40, height), 0x000080, 0x0000FF, 0x800000,
                             0xFF0000, kind, kind);
            }
            const int lastTopRow = height == 27 ? 13 : 12;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < 40; x += 3) {
                    const TColor c = b->Pixel(x, y);
                    ASSERT_EQ(c & 0x00FF00, 0u) << x << "," << y; // nothing else mixed in
                    if (y <= lastTopRow)
                        ASSERT_TRUE(Red(c) >= 0x80 && Blue(c) == 0)
                            << x << "," << y << " h" << height;
                    else
                        ASSERT_TRUE(Blue(c) >= 0x80 && Red(c) == 0)
                            << x << "," << y << " h" << height;
                }
        }
    }
}

TEST(GlowShapes, TheGlowRunsFromTheMainColourDownAndTheRadialCentreIsTheToColour) {
    auto b = Blank(40, 27);
    {
        TGPGraphics g(b->Canvas());
        FillGlowFace(b->Canvas(), g, Rect(0, 0, 40, 27), 0x000080, 0x0000FF, 0x800000, 0xFF0000,
                     TGDIPGradient::ggVertical, TGDIPGradient::ggVertical);
    }
    // Top part: main colour at row 0 towards the to-colour at its bottom; mirror part: the
    // mirror to-colour at its top (row 12, hidden) towards the mirror colour at the bottom.
    EXPECT_LE(Red(b->Pixel(20, 0)), 0x86);
    EXPECT_GE(Red(b->Pixel(20, 13)), 0xF0);
    EXPECT_GT(Blue(b->Pixel(20, 14)), Blue(b->Pixel(20, 26)));
    EXPECT_LE(Blue(b->Pixel(20, 26)), 0x88);

    auto radial = Blank(40, 27);
    {
        TGPGraphics g(radial->Canvas());
        FillGlowFace(radial->Canvas(), g, Rect(0, 0, 40, 27), 0x000080, 0x0000FF, 0x800000,
                     0xFF0000, TGDIPGradient::ggRadial, TGDIPGradient::ggRadial);
    }
    // The top glow is brightest at its centre point (20, 0); outside the ellipse lies the
    // main colour. The mirror glow is centred at the bottom in the mirror to-colour and
    // fades to the mirror colour.
    EXPECT_GE(Red(radial->Pixel(20, 0)), 0xF0);
    EXPECT_GT(Red(radial->Pixel(20, 0)), Red(radial->Pixel(5, 0)));
    EXPECT_EQ(radial->Pixel(0, 13), 0x000080u);
    EXPECT_GE(Blue(radial->Pixel(20, 26)), 0xF0);
    EXPECT_LT(Blue(radial->Pixel(2, 15)), Blue(radial->Pixel(20, 26)));
}

TEST(GlowShapes, RoundedAndSquareFramesLieOnTheLastColumnAndRow) {
    const TColor frame = 0x204060;
    auto b = Blank(20, 12);
    {
        TGPGraphics g(b->Canvas());
        g.SetSmoothingMode(SmoothingMode::SmoothingModeAntiAlias);
        DrawRoundedFrame(g, frame, 0, 0, 19, 11, 3);
    }
    // The straight runs between the arcs are whole pixels of the frame colour.
    for (int x = 4; x <= 15; ++x) {
        EXPECT_EQ(b->Pixel(x, 0), frame) << x;
        EXPECT_EQ(b->Pixel(x, 11), frame) << x;
    }
    for (int y = 4; y <= 7; ++y) {
        EXPECT_EQ(b->Pixel(0, y), frame) << y;
        EXPECT_EQ(b->Pixel(19, y), frame) << y;
    }
    // Rounded corners leave the corner pixels alone; the inside is untouched.
    EXPECT_EQ(b->Pixel(0, 0), kUnpainted);
    EXPECT_EQ(b->Pixel(19, 11), kUnpainted);
    EXPECT_NE(b->Pixel(1, 1), kUnpainted); // the arc passes near it
    EXPECT_EQ(b->Pixel(10, 5), kUnpainted);

    auto square = Blank(20, 12);
    {
        TGPGraphics g(square->Canvas());
        g.SetSmoothingMode(SmoothingMode::SmoothingModeAntiAlias);
        DrawRoundedFrame(g, frame, 0, 0, 19, 11, 0);
    }
    for (int x = 0; x < 20; ++x) {
        EXPECT_EQ(square->Pixel(x, 0), frame) << x;
        EXPECT_EQ(square->Pixel(x, 11), frame) << x;
    }
    for (int y = 0; y < 12; ++y) {
        EXPECT_EQ(square->Pixel(0, y), frame) << y;
        EXPECT_EQ(square->Pixel(19, y), frame) << y;
    }
    EXPECT_EQ(square->Pixel(1, 1), kUnpainted);
}

TEST(GlowShapes, FocusFramesAreASolidFrameAndADottedOneInside) {
    auto b = Blank(20, 12);
    {
        TGPGraphics g(b->Canvas());
        g.SetSmoothingMode(SmoothingMode::SmoothingModeAntiAlias);
        DrawFocusFrames(g, 0, 0, 19, 11, 0);
    }
    // Solid 0xE4AD89 one pixel in, all round; the outer ring untouched.
    for (int x = 1; x <= 18; ++x) {
        EXPECT_EQ(b->Pixel(x, 1), 0xE4AD89u) << x;
        EXPECT_EQ(b->Pixel(x, 10), 0xE4AD89u) << x;
        EXPECT_EQ(b->Pixel(x, 0), kUnpainted) << x;
    }
    EXPECT_EQ(b->Pixel(1, 5), 0xE4AD89u);
    EXPECT_EQ(b->Pixel(18, 5), 0xE4AD89u);
    // Dotted grey two pixels in: every other pixel of the top edge from its start, and dots on
    // all four sides (a closed figure even at radius 0).
    for (int x = 2; x <= 16; ++x)
        EXPECT_EQ(b->Pixel(x, 2), x % 2 == 0 ? clGray : kUnpainted) << x;
    int left = 0, right = 0, bottom = 0;
    for (int y = 3; y <= 8; ++y) {
        left += b->Pixel(2, y) == clGray;
        right += b->Pixel(17, y) == clGray;
    }
    for (int x = 3; x <= 16; ++x)
        bottom += b->Pixel(x, 9) == clGray;
    EXPECT_GE(left, 2);
    EXPECT_GE(right, 2);
    EXPECT_GE(bottom, 6);
    EXPECT_EQ(b->Pixel(10, 5), kUnpainted);
}

TEST(GlowShapes, GroupFramesDarkenTheirEdgesAndSeparateInnerButtonsLightly) {
    const TColor frame = 0x404040;
    const TColor darker = 0x3D3D3D; // 64 * 0.95 = 60.8
    auto b = Blank(12, 12);
    {
        TGPGraphics g(b->Canvas());
        g.SetSmoothingMode(SmoothingMode::SmoothingModeAntiAlias);
        DrawGroupMiddleFrame(g, frame, 1, 0, 9, 11, 3, false);
    }
    EXPECT_EQ(b->Pixel(10, 5), darker);    // right edge
    EXPECT_EQ(b->Pixel(1, 5), 0xE6E6E6u);  // the separator
    EXPECT_EQ(b->Pixel(1, 1), kUnpainted); // two short of the top
    EXPECT_EQ(b->Pixel(1, 3), 0xE6E6E6u);
    EXPECT_EQ(b->Pixel(5, 0), frame); // top and bottom edges
    EXPECT_EQ(b->Pixel(5, 11), frame);
    EXPECT_NE(b->Pixel(0, 0), kUnpainted); // reaching one pixel left

    auto active = Blank(12, 12);
    {
        TGPGraphics g(active->Canvas());
        g.SetSmoothingMode(SmoothingMode::SmoothingModeAntiAlias);
        DrawGroupRightFrame(g, frame, 0, 0, 11, 11, 3, true);
    }
    EXPECT_EQ(active->Pixel(0, 5), darker);
    EXPECT_EQ(active->Pixel(0, 1), darker);
    EXPECT_EQ(active->Pixel(11, 5), frame);
    EXPECT_EQ(active->Pixel(11, 0), kUnpainted); // rounded corner
    for (const TPoint p : {TPoint{9, 0}, TPoint{11, 2}})
        EXPECT_LT(Red(active->Pixel(p.X, p.Y)), (0x40 + Red(kUnpainted)) / 2) << p.X << "," << p.Y;
    EXPECT_EQ(active->Pixel(5, 0), frame);
}

TEST(GlowShapes, TheFirstButtonOfAGroupIsRoundedOnTheLeftOnly) {
    const TColor frame = 0x404040;
    auto b = Blank(12, 12);
    {
        TGPGraphics g(b->Canvas());
        g.SetSmoothingMode(SmoothingMode::SmoothingModeAntiAlias);
        DrawGroupLeftFrame(g, frame, 0, 0, 11, 11, 3);
    }
    for (int x = 4; x <= 10; ++x) {
        EXPECT_EQ(b->Pixel(x, 0), frame) << x;
        EXPECT_EQ(b->Pixel(x, 11), frame) << x;
    }
    EXPECT_EQ(b->Pixel(0, 5), frame);
    EXPECT_EQ(b->Pixel(11, 5), 0x3D3D3Du); // the darker right edge
    EXPECT_EQ(b->Pixel(0, 0), kUnpainted);
    EXPECT_EQ(b->Pixel(0, 11), kUnpainted);
    // The arcs bend through the corner's edge pixels; a straight cut would miss them.
    for (const TPoint p : {TPoint{0, 2}, TPoint{2, 0}, TPoint{0, 9}, TPoint{2, 11}})
        EXPECT_LT(Red(b->Pixel(p.X, p.Y)), (0x40 + Red(kUnpainted)) / 2) << p.X << "," << p.Y;
    EXPECT_EQ(b->Pixel(5, 5), kUnpainted);
}

TEST(GlowShapes, TheDropDownArrowPointsDownOrRight) {
    const TColor ink = 0x000000, hi = 0xFFFFFF;
    // Rows of the downward arrow at (2, 3): '#' ink, 'o' highlight.
    const char* down[] = {"#####", "o###o", ".o#o.", "..o.."};
    auto b = Blank(10, 10);
    DrawDropDownArrow(b->Canvas(), {2, 3}, ink, true, hi);
    auto r = Blank(10, 10);
    DrawDropDownArrow(r->Canvas(), {2, 3}, ink, false, hi);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            auto expected = [&](int col, int row) {
                if (row < 0 || row >= 4 || col < 0 || col >= 5)
                    return kUnpainted;
                const char c = down[row][col];
                return c == '#' ? ink : c == 'o' ? hi : kUnpainted;
            };
            EXPECT_EQ(b->Pixel(x, y), expected(x - 2, y - 3)) << x << "," << y;
            EXPECT_EQ(r->Pixel(x, y), expected(y - 3, x - 2)) << x << "," << y; // transposed
        }
}
