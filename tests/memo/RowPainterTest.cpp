// Rows painted from read-only inputs, without a widget: the runs of a line (its colours and
// the selection cut in) and the pixels of a row bitmap.

#include <memory>

#include <gtest/gtest.h>

#include "ViewPixels.h"
#include "memo/RowPainter.h"

namespace {

constexpr TColor kUnused = 0x13579B; // a colour the painter never uses

class RowPainter : public ::testing::Test {
protected:
    RowPainter() {
        lines.Add("hello world");
        lines.Add("second line");
        lines.Add("third");
        context.Lines = &lines;
        context.Style = &style;
        context.CharWidth = 8;
        context.LineHeight = 16;
    }
    void Select(TPoint first, TPoint last) {
        context.SelectionShown = true;
        context.SelFirst = first;
        context.SelLast = last;
    }
    std::unique_ptr<TBitmap> Paint(int line, int width = 200) {
        auto row = std::make_unique<TBitmap>(width, context.LineHeight);
        row->Canvas().Brush().Color = kUnused;
        row->Canvas().FillRect(Rect(0, 0, width, context.LineHeight));
        row->Canvas().Font().SetName("Courier New");
        row->Canvas().Font().SetHeight(-13);
        PaintRow(*row, context, line);
        return row;
    }

    TAdvMemoStrings lines{true};
    TViewStyle style;
    TRowContext context;
};

TEST_F(RowPainter, TheSelectionCutsRunsOnItsFirstMiddleAndLastLine) {
    Select({6, 0}, {3, 2});
    auto run = [](int a, int b, TColor t, TColor bk) { return TRun{a, b, t, bk}; };
    EXPECT_EQ(LineRuns(context, 0),
              (std::vector<TRun>{run(0, 6, clBlack, clWhite), run(6, 11, clWhite, clNavy)}));
    EXPECT_EQ(LineRuns(context, 1), (std::vector<TRun>{run(0, 11, clWhite, clNavy)}));
    EXPECT_EQ(LineRuns(context, 2),
              (std::vector<TRun>{run(0, 3, clWhite, clNavy), run(3, 5, clBlack, clWhite)}));
    // One line: from the start column to the end column; an empty selection selects nothing.
    Select({2, 1}, {4, 1});
    EXPECT_EQ(LineRuns(context, 1)[1], run(2, 4, clWhite, clNavy));
    Select({2, 1}, {2, 1});
    EXPECT_EQ(LineRuns(context, 1).size(), 1u);
}

TEST_F(RowPainter, LinksTakeTheLinkStyleUnderTheSelection) {
    lines.Put(0, "see www.x.org, ok");
    context.VisibleColumns = 40;
    const TFontStyles underline{TFontStyle::fsUnderline};
    EXPECT_EQ(LineRuns(context, 0),
              (std::vector<TRun>{{0, 4, clBlack, clWhite}, {4, 13, clBlue, clWhite, underline},
                                 {13, 17, clBlack, clWhite}}));
    // The selection keeps the link's font style; a link background of clNone keeps the line's.
    style.UrlStyle.BkColor = clNone;
    style.ActiveLine = 0;
    Select({6, 0}, {8, 0});
    EXPECT_EQ(LineRuns(context, 0)[1], (TRun{4, 6, clBlue, clNavy, underline}));
    EXPECT_EQ(LineRuns(context, 0)[2], (TRun{6, 8, clNavy, clBlue, underline}));
    style.UrlAware = false;
    EXPECT_EQ(LineRuns(context, 0)[0], (TRun{0, 6, clYellow, clNavy}));
}

TEST_F(RowPainter, ActiveAndBreakpointLinesSwapTheirColoursWhereSelected) {
    style.ActiveLine = 1;
    lines.LineProp(2)->Breakpoint = true;
    Select({0, 0}, {2, 2});
    EXPECT_EQ(LineRuns(context, 1)[0], (TRun{0, 11, clNavy, clYellow}));
    EXPECT_EQ(LineRuns(context, 2)[0], (TRun{0, 2, 0x0000FF, clWhite}));
    EXPECT_EQ(LineRuns(context, 2)[1], (TRun{2, 5, clWhite, 0x0000FF}));
    // A breakpoint wins over the active line.
    style.ActiveLine = 2;
    EXPECT_EQ(LineRuns(context, 2)[1], (TRun{2, 5, clWhite, 0x0000FF}));
}

TEST_F(RowPainter, AfterTheTextTheLinesBackgroundOnePixelShort) {
    lines.LineProp(2)->Breakpoint = true;
    const auto painted = Paint(2);
    const TBitmap& row = *painted;
    const int end = 5 * 8;
    EXPECT_EQ(row.Pixel(end + 4, 0), 0x0000FFu);
    EXPECT_EQ(row.Pixel(199, 14), 0x0000FFu);
    EXPECT_EQ(row.Pixel(199, 15), clWhite); // the last pixel row keeps the background
    EXPECT_EQ(CountWhere(row, 0, 200, 0, 16, [](TColor c) { return c == kUnused; }), 0);
}

TEST_F(RowPainter, ACharacterCutByTheViewOrTheSelectionShowsNoStrayBytes) {
    lines.Put(0, "a\xC3\xA9xyz"); // the é takes cells 1 and 2, drawn in cell 1
    auto inkIn = [&](const TBitmap& row, int cell) {
        return CountWhere(row, cell * 8, cell * 8 + 8, 0, 16,
                          [](TColor c) { return c != clWhite && c != clNavy && c != clRed; });
    };
    context.LeftCol = 2; // cell 2 at the left edge: blank, as it is in the whole line
    const auto scrolled = Paint(0);
    EXPECT_EQ(inkIn(*scrolled, 0), 0);
    EXPECT_GT(inkIn(*scrolled, 1), 0);
    context.LeftCol = 0;
    Select({2, 0}, {3, 0}); // a run that starts inside the é
    const auto selected = Paint(0);
    EXPECT_GT(inkIn(*selected, 1), 0);
    EXPECT_EQ(CountWhere(*selected, 16, 24, 0, 15, [](TColor c) { return c != clNavy; }), 0);
}

TEST_F(RowPainter, MarkedRangesZigzagInPhaseAndOnlyWhereInView) {
    TLineProp& record = *lines.LineProp(0);
    record.MarkStarts = {1, 10};
    record.MarkLengths = {3, 100000};
    const auto painted = Paint(0);
    const TBitmap& row = *painted;
    auto red = [&](int x, int y) { return row.Pixel(x, y) == clRed; };
    // From x = 8 (a multiple of 4: one pixel below y = 14) to x = 32, two pixels a step.
    EXPECT_TRUE(red(8, 15));
    EXPECT_TRUE(red(10, 13));
    EXPECT_TRUE(red(12, 15));
    EXPECT_FALSE(red(8, 13));
    EXPECT_FALSE(red(40, 15));
    EXPECT_TRUE(red(80, 15));
    // The long range reaches the right edge, in the same phase, and costs no more than that.
    EXPECT_TRUE(red(196, 15));
    EXPECT_TRUE(red(198, 13));
    // Scrolled far to the right, it still shows where it lies.
    context.LeftCol = 50000;
    const auto scrolled = Paint(0);
    EXPECT_GT(CountWhere(*scrolled, 0, 200, 12, 16, [](TColor c) { return c == clRed; }), 150);
}

} // namespace
