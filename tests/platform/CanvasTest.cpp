// GDI semantics of the canvas, checked pixel by pixel on a bitmap.

#include <gtest/gtest.h>

#include "BitmapProbe.h"
#include "platform/Graphics.h"

TEST(Bitmap, NewBitmapIsWhiteAndPixelIsBGR) {
    TBitmap b(4, 3);
    EXPECT_EQ(b.Width(), 4);
    EXPECT_EQ(b.Height(), 3);
    EXPECT_EQ(Count(b, clWhite), 12);
    b.Canvas().SetPixel(1, 1, 0x123456);
    EXPECT_EQ(b.Pixel(1, 1), 0x123456u);
    EXPECT_EQ(b.Canvas().Pixel(1, 1), 0x123456u);
    EXPECT_EQ(b.Pixel(4, 0), 0xFFFFFFFFu); // outside
}

TEST(Bitmap, ResizeKeepsDrawingAndCanvasGoesOnDrawing) {
    TBitmap b(4, 4);
    TCanvas& c = b.Canvas();
    c.Brush().Color = kRed;
    c.FillRect(Rect(0, 0, 2, 2));
    b.SetSize(8, 6);
    EXPECT_EQ(b.Pixel(1, 1), kRed);
    EXPECT_EQ(b.Pixel(7, 5), clWhite);
    c.Brush().Color = kBlue; // the same canvas object keeps working after the resize
    c.FillRect(Rect(6, 4, 8, 6));
    EXPECT_EQ(b.Pixel(7, 5), kBlue);
    EXPECT_EQ(PaintedBox(b, clWhite), Rect(0, 0, 8, 6));
}

TEST(Canvas, FillRectExcludesRightAndBottom) {
    TBitmap b(10, 10);
    b.Canvas().Brush().Color = kRed;
    b.Canvas().FillRect(Rect(2, 3, 5, 7));
    EXPECT_EQ(PaintedBox(b, clWhite), Rect(2, 3, 5, 7));
    EXPECT_EQ(Count(b, kRed), 3 * 4);
    b.Canvas().FillRect(Rect(5, 5, 5, 9)); // empty: nothing
    b.Canvas().FillRect(Rect(8, 8, 6, 6)); // inverted: nothing
    EXPECT_EQ(Count(b, kRed), 12);
    b.Canvas().Brush().Style = TBrushStyle::bsClear;
    b.Canvas().FillRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(Count(b, kRed), 12);
}

TEST(Canvas, RectangleOutlinesInsideAndFillsWithBrush) {
    TBitmap b(10, 10);
    TCanvas& c = b.Canvas();
    c.Pen().Color = kBlue;
    c.Brush().Color = kRed;
    c.Rectangle(Rect(1, 1, 6, 5));
    EXPECT_EQ(PaintedBox(b, clWhite), Rect(1, 1, 6, 5));
    EXPECT_EQ(b.Pixel(1, 1), kBlue);
    EXPECT_EQ(b.Pixel(5, 4), kBlue);
    EXPECT_EQ(b.Pixel(5, 1), kBlue);
    EXPECT_EQ(Count(b, kRed), 3 * 2);
    EXPECT_EQ(Count(b, kBlue), 5 * 4 - 6);

    // Without a pen the fill is one pixel short to the right and bottom.
    TBitmap n(10, 10);
    n.Canvas().Pen().Style = TPenStyle::psClear;
    n.Canvas().Brush().Color = kRed;
    n.Canvas().Rectangle(Rect(1, 1, 6, 5));
    EXPECT_EQ(PaintedBox(n, clWhite), Rect(1, 1, 5, 4));
}

TEST(Canvas, LineToLeavesOutTheEndPoint) {
    TBitmap b(12, 12);
    TCanvas& c = b.Canvas();
    c.Pen().Color = kRed;
    c.MoveTo(2, 3);
    c.LineTo(8, 3); // right
    EXPECT_EQ(PaintedBox(b, clWhite), Rect(2, 3, 8, 4));
    c.LineTo(8, 9); // down, starting on the left-out pixel
    EXPECT_EQ(b.Pixel(8, 3), kRed);
    EXPECT_EQ(b.Pixel(8, 8), kRed);
    EXPECT_EQ(b.Pixel(8, 9), clWhite);
    EXPECT_EQ(c.PenPos(), (TPoint{8, 9}));

    TBitmap l(12, 12);
    l.Canvas().Pen().Color = kRed;
    l.Canvas().MoveTo(9, 5);
    l.Canvas().LineTo(4, 5); // leftwards: (4,5) is left out, (9,5) drawn
    EXPECT_EQ(PaintedBox(l, clWhite), Rect(5, 5, 10, 6));

    TBitmap d(12, 12);
    d.Canvas().Pen().Color = kRed;
    d.Canvas().MoveTo(1, 1);
    d.Canvas().LineTo(5, 5); // diagonal: four pixels
    EXPECT_EQ(Count(d, kRed), 4);
    EXPECT_EQ(d.Pixel(4, 4), kRed);
    EXPECT_EQ(d.Pixel(5, 5), clWhite);
}

TEST(Canvas, LinesAreNotAntialiased) {
    TBitmap b(20, 20);
    b.Canvas().Pen().Color = clBlack;
    b.Canvas().MoveTo(0, 0);
    b.Canvas().LineTo(19, 7);
    EXPECT_EQ(Count(b, clBlack) + Count(b, clWhite), 400); // no grey in between
    EXPECT_EQ(Count(b, clBlack), 19);
}

TEST(Canvas, ClearPenDrawsNothingButMoves) {
    TBitmap b(8, 8);
    b.Canvas().Pen().Style = TPenStyle::psClear;
    b.Canvas().LineTo(7, 7);
    EXPECT_EQ(Count(b, clWhite), 64);
    EXPECT_EQ(b.Canvas().PenPos(), (TPoint{7, 7}));
}

TEST(Canvas, TextOutFillsItsCellAndDrawsInsideIt) {
    TBitmap b(120, 40);
    TCanvas& c = b.Canvas();
    c.Font().SetName("Courier New");
    c.Font().SetHeight(-13);
    c.Font().SetColor(clBlack);
    c.Brush().Color = kRed;
    const TSize extent = c.TextExtent("Hello");
    ASSERT_GT(extent.cx, 0);
    ASSERT_GT(extent.cy, 0);
    c.TextOut(10, 5, "Hello");
    // The cell is background, and nothing lands outside it.
    EXPECT_EQ(PaintedBox(b, clWhite), Rect(10, 5, 10 + extent.cx, 5 + extent.cy));
    EXPECT_EQ(b.Pixel(10, 5), kRed);
    EXPECT_GT(Count(b, clBlack), 10); // the glyphs
    EXPECT_EQ(c.PenPos(), (TPoint{10 + extent.cx, 5}));
}

TEST(Canvas, TransparentTextLeavesTheBackground) {
    TBitmap b(120, 40);
    TCanvas& c = b.Canvas();
    c.Font().SetColor(clBlack);
    c.Brush().Style = TBrushStyle::bsClear;
    c.TextOut(4, 4, "Wide");
    EXPECT_EQ(b.Pixel(4, 4), clWhite);
    const TSize e = c.TextExtent("Wide");
    const TRect box = PaintedBox(b, clWhite);
    EXPECT_GE(box.Left, 4);
    EXPECT_LE(box.Right, 4 + e.cx + 1);
    EXPECT_LE(box.Bottom, 4 + e.cy);
}

TEST(Canvas, TextRectFillsTheWholeClipAndClipsTheText) {
    TBitmap b(100, 30);
    TCanvas& c = b.Canvas();
    c.Font().SetColor(clBlack);
    c.Brush().Color = kRed;
    c.TextRect(Rect(10, 5, 30, 25), 12, 6, "clipped text that is long");
    EXPECT_EQ(PaintedBox(b, clWhite), Rect(10, 5, 30, 25));
    EXPECT_EQ(b.Pixel(29, 24), kRed);
}

TEST(Canvas, TextExtentFollowsTheFont) {
    TBitmap b(1, 1);
    TCanvas& c = b.Canvas();
    c.Font().SetName("Courier New");
    c.Font().SetHeight(-13);
    const TSize one = c.TextExtent("x");
    EXPECT_EQ(c.TextExtent("xxxxxxxxxx").cx, 10 * one.cx);
    EXPECT_EQ(c.TextExtent("").cx, 0);
    c.Font().SetHeight(-26);
    EXPECT_GT(c.TextExtent("x").cy, one.cy);
    // Non-UTF-8 bytes are measured as their Windows-1252 characters, one each.
    EXPECT_EQ(c.TextExtent("\xE9\xE9").cx, c.TextExtent("\xC3\xA9\xC3\xA9").cx);
}

TEST(Canvas, DrawCopiesABitmap) {
    TBitmap src(3, 2);
    src.Canvas().Brush().Color = kBlue;
    src.Canvas().FillRect(Rect(0, 0, 3, 2));
    TBitmap dst(10, 10);
    dst.Canvas().Draw(4, 5, src);
    EXPECT_EQ(PaintedBox(dst, clWhite), Rect(4, 5, 7, 7));
    EXPECT_EQ(dst.Pixel(6, 6), kBlue);
}

TEST(Canvas, WithoutAPainterNothingHappens) {
    TCanvas c;
    c.FillRect(Rect(0, 0, 5, 5));
    c.TextOut(0, 0, "abc");
    EXPECT_EQ(c.PenPos(), (TPoint{c.TextWidth("abc"), 0}));
    EXPECT_EQ(c.Pixel(0, 0), 0xFFFFFFFFu);
}

TEST(Canvas, DrawTextMeasuresWrapsAndAlignsWithPrefixes) {
    TBitmap b(200, 60);
    TCanvas& c = b.Canvas();
    const int lineHeight = c.TextHeight("Ag");
    // DT_CALCRECT: one line keeps its width; "&&" is one "&", "&x" shows x.
    TRect one = Rect(10, 5, 12, 5);
    EXPECT_EQ(c.DrawText("a&&b", one, DT_CALCRECT | DT_SINGLELINE), lineHeight);
    EXPECT_EQ(one.Left, 10);
    EXPECT_EQ(one.Width(), c.TextWidth("a&b"));
    TRect prefixed = Rect(0, 0, 2, 0);
    c.DrawText("&ab", prefixed, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(prefixed.Width(), c.TextWidth("ab"));
    TRect noPrefix = Rect(0, 0, 2, 0);
    c.DrawText("&ab", noPrefix, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(noPrefix.Width(), c.TextWidth("&ab"));
    // Word breaks wrap at the rectangle's width.
    TRect wrapped = Rect(0, 0, c.TextWidth("word word") - 1, 0);
    const int twoLines = c.DrawText("word word", wrapped, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_GE(twoLines, 2 * lineHeight - 1);
    EXPECT_LE(twoLines, 2 * lineHeight + 1);
    EXPECT_EQ(wrapped.Height(), twoLines);
    EXPECT_EQ(wrapped.Width(), c.TextWidth("word"));
    // Drawn right-aligned and centred vertically, clipped to the rectangle.
    c.Brush().Color = clWhite;
    c.FillRect(Rect(0, 0, 200, 60));
    c.Brush().Style = TBrushStyle::bsClear;
    c.Font().SetColor(clBlack);
    TRect r = Rect(20, 10, 180, 50);
    c.DrawText("Wide", r, DT_SINGLELINE | DT_RIGHT | DT_VCENTER);
    const TRect ink = PaintedBox(b, clWhite);
    EXPECT_LE(ink.Right, 180);
    EXPECT_GE(ink.Right, 177);
    EXPECT_NEAR((ink.Top + ink.Bottom) / 2.0, 30, 3);
}
