// Polygons, ellipses, block copies and clipping with GDI's results: no smoothing, right and
// bottom edges left out where GDI leaves them out.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "BitmapProbe.h"
#include "platform/Controls.h"
#include "platform/Graphics.h"

namespace {

// Every pixel of `fill` lies between the first and the last `outline` pixel of its row, and
// every pixel is one of the three colours (no smoothing).
void ExpectFillInsideOutline(const TBitmap& b, TColor fill, TColor outline) {
    for (int y = 0; y < b.Height(); ++y) {
        int first = b.Width(), last = -1;
        for (int x = 0; x < b.Width(); ++x) {
            const TColor c = b.Pixel(x, y);
            ASSERT_TRUE(c == fill || c == outline || c == clWhite) << x << "," << y;
            if (c == outline) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
        for (int x = 0; x < b.Width(); ++x) {
            if (b.Pixel(x, y) == fill) {
                EXPECT_TRUE(x > first && x < last)
                    << "fill outside the outline at " << x << "," << y;
            }
        }
    }
}

void SetPen(TCanvas& c, TColor pen, TColor brush) {
    c.Pen().Color = pen;
    c.Brush().Color = brush;
}

} // namespace

TEST(Polygon, FillStaysInsideItsOutline) {
    const std::vector<std::vector<TPoint>> shapes = {
        {{2, 17}, {9, 1}, {17, 17}},                  // a triangle with steep edges
        {{1, 1}, {18, 4}, {10, 16}},                  // shallow and skewed
        {{3, 2}, {16, 2}, {16, 15}, {9, 8}, {3, 15}}, // concave
    };
    for (const auto& shape : shapes) {
        TBitmap b(20, 20);
        SetPen(b.Canvas(), kBlue, kRed);
        b.Canvas().Polygon(shape);
        ExpectFillInsideOutline(b, kRed, kBlue);
        EXPECT_GT(Count(b, kRed), 10);
        for (const TPoint& p : shape) // the closing edge reaches the first point too
            EXPECT_EQ(b.Pixel(p.X, p.Y), kBlue) << p.X << "," << p.Y;
    }
}

TEST(Polygon, RectangularPolygonCoversItsCornersWithAPen) {
    TBitmap b(12, 10);
    SetPen(b.Canvas(), kBlue, kRed);
    const TPoint square[] = {{1, 1}, {8, 1}, {8, 6}, {1, 6}};
    b.Canvas().Polygon(square);
    // Unlike Rectangle, a polygon's points are pixels on the outline, corners included.
    EXPECT_EQ(PaintedBox(b, clWhite), Rect(1, 1, 9, 7));
    EXPECT_EQ(Count(b, kRed), 6 * 4);
    EXPECT_EQ(Count(b, kBlue), 8 * 6 - 6 * 4);
}

TEST(Polygon, WithoutAPenTheRightAndBottomEdgesStayOut) {
    TBitmap b(12, 10);
    b.Canvas().Pen().Style = TPenStyle::psClear;
    b.Canvas().Brush().Color = kRed;
    const TPoint square[] = {{1, 1}, {8, 1}, {8, 6}, {1, 6}};
    b.Canvas().Polygon(square);
    EXPECT_EQ(PaintedBox(b, clWhite), Rect(1, 1, 8, 6));
    EXPECT_EQ(Count(b, kRed), 7 * 5);
}

TEST(Polygon, ClearBrushOutlinesOnlyAndDegenerateShapesStillDraw) {
    TBitmap b(12, 12);
    b.Canvas().Pen().Color = kBlue;
    b.Canvas().Brush().Style = TBrushStyle::bsClear;
    const TPoint tri[] = {{1, 10}, {5, 1}, {10, 10}};
    b.Canvas().Polygon(tri);
    EXPECT_EQ(b.Pixel(5, 7), clWhite);
    EXPECT_EQ(Count(b, kRed), 0);
    EXPECT_GT(Count(b, kBlue), 20);

    TBitmap line(12, 4);
    SetPen(line.Canvas(), kBlue, kRed);
    const TPoint two[] = {{1, 1}, {9, 1}};
    line.Canvas().Polygon(two); // there and back: a line, both ends drawn
    EXPECT_EQ(PaintedBox(line, clWhite), Rect(1, 1, 10, 2));
    line.Canvas().Polygon(std::span<const TPoint>()); // nothing, and no crash
    EXPECT_EQ(Count(line, kBlue), 9);
}

TEST(Ellipse, TouchesEverySideOfItsRectangleAndStaysInside) {
    for (const TRect r : {Rect(1, 1, 11, 9), Rect(3, 2, 20, 19), Rect(0, 0, 5, 5)}) {
        TBitmap b(24, 24);
        SetPen(b.Canvas(), kBlue, kRed);
        b.Canvas().Ellipse(r);
        EXPECT_EQ(PaintedBox(b, clWhite), r);
        ExpectFillInsideOutline(b, kRed, kBlue);
        EXPECT_EQ(b.Pixel(r.Left, r.Top), clWhite); // rounded corners
        EXPECT_EQ(b.Pixel(r.Right - 1, r.Bottom - 1), clWhite);
    }
    TBitmap b(24, 24);
    SetPen(b.Canvas(), kBlue, kRed);
    b.Canvas().Ellipse(Rect(2, 2, 22, 22));
    EXPECT_EQ(b.Pixel(12, 12), kRed);
    EXPECT_EQ(b.Pixel(12, 2), kBlue);
    EXPECT_EQ(b.Pixel(2, 12), kBlue);
}

TEST(Ellipse, WithoutAPenFillsOnlyAndEmptyRectanglesDrawNothing) {
    TBitmap b(24, 24);
    b.Canvas().Pen().Style = TPenStyle::psClear;
    b.Canvas().Brush().Color = kRed;
    b.Canvas().Ellipse(Rect(2, 2, 14, 12));
    const TRect box = PaintedBox(b, clWhite);
    EXPECT_GE(box.Left, 2);
    EXPECT_GE(box.Top, 2);
    EXPECT_LE(box.Right, 13); // one pixel short, as GDI fills without a pen
    EXPECT_LE(box.Bottom, 11);
    EXPECT_EQ(Count(b, kRed) + Count(b, clWhite), 24 * 24);

    TBitmap e(10, 10);
    e.Canvas().Ellipse(Rect(5, 5, 5, 9));
    e.Canvas().Ellipse(Rect(6, 6, 2, 2));
    EXPECT_EQ(Count(e, clWhite), 100);
}

TEST(CopyRect, CopiesExactlyTheSourceRectangle) {
    TBitmap src(8, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            src.Canvas().SetPixel(x, y, static_cast<TColor>(x * 0x20 + y * 0x2000));
    TBitmap dst(20, 20);
    dst.Canvas().Brush().Color = kBlue;
    dst.Canvas().FillRect(Rect(0, 0, 20, 20));
    dst.Canvas().CopyRect(Bounds(10, 12, 5, 3), src, Bounds(2, 1, 5, 3));
    EXPECT_EQ(PaintedBox(dst, kBlue), Bounds(10, 12, 5, 3));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(dst.Pixel(10 + x, 12 + y), src.Pixel(2 + x, 1 + y)) << x << "," << y;
    // The source keeps working as a drawing surface afterwards.
    src.Canvas().SetPixel(0, 0, kRed);
    EXPECT_EQ(src.Pixel(0, 0), kRed);
}

TEST(CopyRect, WithinOneBitmapCopiesTheOriginalPixels) {
    // Scrolling a view copies a bitmap onto itself, overlapping.
    TBitmap b(10, 1);
    for (int x = 0; x < 10; ++x)
        b.Canvas().SetPixel(x, 0, static_cast<TColor>(x));
    b.Canvas().CopyRect(Rect(2, 0, 10, 1), b, Rect(0, 0, 8, 1));
    for (int x = 2; x < 10; ++x)
        EXPECT_EQ(b.Pixel(x, 0), static_cast<TColor>(x - 2));
    EXPECT_EQ(b.Pixel(1, 0), 1u);
}

TEST(Clip, StopsDrawingOutsideUntilReset) {
    TBitmap b(20, 20);
    TCanvas& c = b.Canvas();
    c.SetClipRect(Rect(4, 5, 10, 8));
    c.Brush().Color = kRed;
    c.FillRect(Rect(0, 0, 20, 20));
    c.Pen().Color = kBlue;
    c.MoveTo(0, 6);
    c.LineTo(20, 6);
    c.Font().SetColor(kBlue);
    c.TextOutCells(0, 0, "WWWWW", 8);
    const TRect painted = PaintedBox(b, clWhite);
    EXPECT_EQ(painted, Rect(4, 5, 10, 8));

    // Reading the bitmap restarts its painter; the clip stays until reset.
    TBitmap other(4, 4);
    other.Canvas().Draw(0, 0, b);
    c.FillRect(Rect(0, 0, 20, 20));
    EXPECT_EQ(PaintedBox(b, clWhite), Rect(4, 5, 10, 8));

    c.ResetClip();
    c.FillRect(Rect(0, 0, 20, 20));
    EXPECT_EQ(Count(b, kRed), 400);
}

TEST(Clip, EmptyClipDrawsNothing) {
    TBitmap b(10, 10);
    b.Canvas().SetClipRect(Rect(5, 5, 5, 5));
    b.Canvas().Brush().Color = kRed;
    b.Canvas().FillRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(Count(b, clWhite), 100);
}

namespace {

class ClippingControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    bool clip = false;

protected:
    void Paint() override {
        if (clip)
            Canvas().SetClipRect(Rect(0, 0, 2, 2));
        Canvas().Brush().Color = kRed;
        Canvas().FillRect(ClientRect());
    }
};

} // namespace

TEST(Clip, AControlsClipEndsWithItsPaint) {
    ClippingControl control(nullptr);
    control.SetBounds(0, 0, 6, 6);
    TBitmap b;
    control.clip = true;
    control.PaintTo(b);
    EXPECT_EQ(PaintedBox(b, clWhite), Rect(0, 0, 2, 2));
    // The bitmap's own canvas is not clipped by the control's paint...
    b.Canvas().Brush().Color = kBlue;
    b.Canvas().FillRect(Rect(0, 0, 6, 6));
    EXPECT_EQ(Count(b, kBlue), 36);
    // ...and the next paint starts without the clip.
    control.clip = false;
    control.PaintTo(b);
    EXPECT_EQ(Count(b, kRed), 36);
}
