// The editor view rendered into a bitmap: geometry, colours and scroll bars as the view fixes
// them.

#include <gtest/gtest.h>

#include <string>

#include "HiddenRows.h"
#include "MemoInput.h"
#include "ViewPixels.h"
#include "platform/Forms.h"
#include "platform/SysColors.h"

namespace {

std::string Numbered(int count, const std::string& body = "text") {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += body + " " + std::to_string(i) + "\r\n";
    return text;
}

class View : public ::testing::Test {
protected:
    View() { memo.SetBounds(0, 0, 500, 367); }
    TAdvMemo memo{nullptr};
};

TEST_F(View, TextStartsRightOfTheGutterAndCellsBelowTheBorder) {
    const TRect text = memo.TextArea();
    EXPECT_EQ(text.Left, 48);
    EXPECT_EQ(text.Top, 1);
    EXPECT_EQ(memo.CellRect(0, 0).Top, 2);
    EXPECT_EQ(memo.CellRect(0, 0).Left, 48);
    EXPECT_EQ(memo.CellRect(2, 1), Bounds(48 + 2 * memo.CharWidth(), 2 + memo.LineHeight(),
                                          memo.CharWidth(), memo.LineHeight()));

    memo.Lines().Put(0, "WWWW");
    const Rendered b = Render(memo);
    const int lh = memo.LineHeight();
    // The first glyph's ink starts in the first cell; nothing of the text left of x = 48.
    const int ink = LeftmostWhere(b, 46, 200, 2, 2 + lh, IsInk);
    EXPECT_GE(ink, 48);
    EXPECT_LT(ink, 48 + memo.CharWidth());
    // The flat border in BorderColor all round.
    EXPECT_EQ(b.Pixel(0, 100), 0x808080u);
    EXPECT_EQ(b.Pixel(250, 0), 0x808080u);
    EXPECT_EQ(b.Pixel(499, 100), 0x808080u);
    EXPECT_EQ(b.Pixel(250, 366), 0x808080u);
}

TEST_F(View, AProportionalFontIsShownInFixedSys) {
    TFont font;
    font.SetName("Tahoma");
    font.SetHeight(-13);
    memo.Font().Assign(font);
    EXPECT_EQ(memo.Font().Name(), "FixedSys");
    TBitmap probe(1, 1);
    probe.Canvas().Font().Assign(memo.Font());
    EXPECT_EQ(probe.Canvas().TextWidth("W"), probe.Canvas().TextWidth("i"));
    EXPECT_EQ(memo.CharWidth(), probe.Canvas().TextWidth("W"));
}

TEST_F(View, AnEmptyStorePaintsNoRowsButTheGutterStillShowsOne) {
    memo.Lines().SetText("some text\r\nmore");
    memo.Clear();
    ASSERT_EQ(memo.Lines().Count(), 0);
    const Rendered b = Render(memo);
    const TRect text = memo.TextArea();
    EXPECT_EQ(CountWhere(b, text.Left, text.Right, text.Top, text.Bottom,
                         [](TColor c) { return c != clWhite; }),
              0);
    // The number 1 in the first gutter row.
    EXPECT_GT(CountWhere(b, 1, 44, 1, 1 + memo.LineHeight(), IsInk), 0);
    EXPECT_EQ(CountWhere(b, 1, 44, 1 + memo.LineHeight(), 1 + 2 * memo.LineHeight(), IsInk), 0);
}

TEST_F(View, RightMarginStandsAtColumn80AndFollowsScrolling) {
    memo.SetBounds(0, 0, 800, 367);
    const int cw = memo.CharWidth();
    const Rendered b = Render(memo);
    const int x = 48 + 80 * cw;
    EXPECT_EQ(b.Pixel(x, 100), 0xE2E2E2u);
    EXPECT_EQ(b.Pixel(x + 1, 100), 0xE2E2E2u);
    EXPECT_EQ(b.Pixel(x - 1, 100), clWhite);
    EXPECT_EQ(b.Pixel(x + 2, 100), clWhite);

    memo.Lines().Put(0, std::string(300, 'm'));
    memo.UpdateScrollBars();
    memo.SetLeftCol(7);
    const Rendered scrolled = Render(memo);
    const int moved = 48 + (80 - 7) * cw;
    EXPECT_EQ(scrolled.Pixel(moved, 200), 0xE2E2E2u);
    EXPECT_EQ(scrolled.Pixel(moved + 1, 200), 0xE2E2E2u);
    EXPECT_EQ(scrolled.Pixel(x, 200), clWhite);

    memo.SetShowRightMargin(false);
    EXPECT_EQ(Render(memo).Pixel(moved, 200), clWhite);
}

TEST_F(View, AHundredCharactersBringTheHorizontalBar) {
    memo.Lines().Put(0, std::string(50, 'a'));
    EXPECT_FALSE(memo.HorizontalBar().Visible());
    memo.Lines().Put(0, std::string(100, 'a'));
    EXPECT_TRUE(memo.HorizontalBar().Visible());
    EXPECT_EQ(memo.HorizontalBar().Max(), 100);
    EXPECT_EQ(memo.HorizontalBar().PageSize(), memo.VisibleColCount() + 1);
    EXPECT_FALSE(memo.VerticalBar().Visible());
    // The text area ends where the bar starts; the bar's frame is in the scroll bar colour.
    EXPECT_EQ(memo.TextArea().Bottom, memo.HorizontalBar().Top());
    EXPECT_EQ(Render(memo).Pixel(200, memo.HorizontalBar().Top() - 1), 0xC8C8C8u);
}

TEST_F(View, TheVerticalBarAppearsWhenTheLinesOutgrowTheViewAndScrollsIt) {
    memo.Lines().SetText(Numbered(10));
    EXPECT_FALSE(memo.VerticalBar().Visible());
    memo.Lines().SetText(Numbered(1000));
    ASSERT_TRUE(memo.VerticalBar().Visible());
    EXPECT_EQ(memo.VerticalBar().Max(), 999);
    EXPECT_EQ(memo.VerticalBar().PageSize(), memo.VisibleLineCount());
    EXPECT_EQ(memo.VerticalBar().Left(), memo.TextArea().Right);

    memo.VerticalBar().Scroll(TScrollCode::scBottom);
    EXPECT_EQ(memo.TopLine(), 1000 - memo.VisibleLineCount());
    memo.VerticalBar().Scroll(TScrollCode::scPageUp);
    EXPECT_EQ(memo.TopLine(), 1000 - 2 * memo.VisibleLineCount());
    memo.VerticalBar().Scroll(TScrollCode::scTop);
    EXPECT_EQ(memo.TopLine(), 0);

    // Its one-pixel frame is in the scroll bar colour.
    const Rendered b = Render(memo);
    EXPECT_EQ(b.Pixel(memo.VerticalBar().Left() - 1, 100), 0xC8C8C8u);
    EXPECT_EQ(b.Pixel(memo.VerticalBar().Left() - 2, 100), clWhite);
    // A vertical bar that is not allowed stays hidden, however many lines.
    memo.SetScrollBars(TScrollStyle::ssHorizontal);
    EXPECT_FALSE(memo.VerticalBar().Visible());
}

TEST_F(View, NothingIsPaintedWhileAnUpdateBracketIsOpen) {
    memo.Lines().BeginUpdate();
    const Rendered b = Render(memo);
    memo.Lines().EndUpdate();
    EXPECT_EQ(CountWhere(b, 0, b.Width(), 0, b.Height(), [](TColor c) { return c != kUnpainted; }),
              0);
}

TEST_F(View, VisibleCountsComeFromTheTextAreasLastPixel) {
    const TRect text = memo.TextArea();
    const int cw = memo.CharWidth();
    const int lh = memo.LineHeight();
    EXPECT_EQ(memo.VisibleColCount(), (text.Right - 1 - text.Left + cw / 2) / cw);
    EXPECT_EQ(memo.VisibleLineCount(), (text.Bottom - 1 - text.Top) / lh);
    EXPECT_EQ(memo.PointToTextPosition(text.Left + 3 * cw + 1, text.Top + 2 * lh + 1),
              (TPoint{3, 2}));
    EXPECT_EQ(memo.PointToCell(text.Left + cw - 1, text.Top), (TPoint{1, 0}));
}

TEST_F(View, SelectionColoursCoverCharactersOnly) {
    memo.SetHideSelection(false);
    memo.Lines().SetText("abcdef\r\n\r\nxyz");
    memo.SetSelection({2, 0}, {1, 2});
    const Rendered b = Render(memo);
    const int cw = memo.CharWidth();
    const int lh = memo.LineHeight();
    auto navy = [](TColor c) { return c == clNavy; };
    // Line 0: columns 2..5 selected, the rest of the row not.
    EXPECT_EQ(LeftmostWhere(b, 48, 400, 2, 2 + lh, navy), 48 + 2 * cw);
    EXPECT_EQ(CountWhere(b, 48 + 6 * cw, 400, 2, 2 + lh, navy), 0);
    // The empty line between shows no bar at all.
    EXPECT_EQ(CountWhere(b, 48, 400, 2 + lh, 2 + 2 * lh, navy), 0);
    // Line 2: only column 0.
    EXPECT_EQ(LeftmostWhere(b, 48, 400, 2 + 2 * lh, 2 + 3 * lh, navy), 48);
    EXPECT_EQ(CountWhere(b, 48 + cw, 400, 2 + 2 * lh, 2 + 3 * lh, navy), 0);
    // Selected text is drawn in SelColor (white) on navy.
    EXPECT_GT(CountWhere(b, 48 + 2 * cw, 48 + 6 * cw, 2, 2 + lh, navy), 0);
}

TEST(ViewFocus, TheSelectionHidesWhenTheEditorLosesTheFocus) {
    TForm form;
    form.SetClientSize(1000, 400);
    TAdvMemo left(&form);
    TAdvMemo right(&form);
    left.SetBounds(0, 0, 500, 367);
    right.SetBounds(500, 0, 500, 367);
    left.Lines().SetText("selected words\r\n");
    left.SetSelection({0, 0}, {8, 0});
    form.Show();
    auto navyPixels = [&] {
        const Rendered b = Render(left);
        return CountWhere(b, 48, 300, 2, 2 + left.LineHeight(),
                          [](TColor c) { return c == clNavy; });
    };
    left.SetFocus();
    Application->ProcessMessages();
    ASSERT_TRUE(left.Focused());
    EXPECT_GT(navyPixels(), 0);
    right.SetFocus();
    Application->ProcessMessages();
    ASSERT_FALSE(left.Focused());
    EXPECT_EQ(navyPixels(), 0);
    left.SetFocus();
    Application->ProcessMessages();
    EXPECT_GT(navyPixels(), 0);
}

TEST_F(View, RowsPastTheEndAndThePartlyVisibleLastRow) {
    memo.Lines().SetText(Numbered(100, "WWWWWWWW"));
    const Rendered b = Render(memo);
    const TRect text = memo.TextArea();
    const int rows = memo.VisibleLineCount();
    const int lh = memo.LineHeight();
    // The row below the last whole one is painted as far as the text area reaches.
    const int partTop = 2 + rows * lh;
    ASSERT_LT(partTop + 2, text.Bottom) << "the view must end in a partial row here";
    EXPECT_GT(CountWhere(b, 48, 200, partTop, text.Bottom, IsInk), 0);
    // Scrolled to the end, an empty last line and the partial row past it stay background.
    memo.Lines().SetText(Numbered(99, "WWWWWWWW") + "\r\n");
    ASSERT_EQ(memo.Lines().Count(), 100);
    memo.VerticalBar().Scroll(TScrollCode::scBottom);
    ASSERT_EQ(memo.TopLine(), 100 - rows);
    const Rendered end = Render(memo);
    EXPECT_GT(CountWhere(end, 48, 200, 2 + (rows - 2) * lh, 2 + (rows - 1) * lh, IsInk), 0);
    EXPECT_EQ(CountWhere(end, 48, 200, 2 + (rows - 1) * lh, text.Bottom, IsInk), 0);
}

TEST_F(View, BreakpointLinesAndMarkedRanges) {
    memo.Lines().SetText("plain\r\nstop here\r\nmarked words");
    memo.Lines().LineProp(1)->Breakpoint = true;
    TLineProp* marked = memo.Lines().LineProp(2);
    marked->MarkStarts = {7};
    marked->MarkLengths = {5};
    const Rendered b = Render(memo);
    const int lh = memo.LineHeight();
    const int cw = memo.CharWidth();
    // A breakpoint row: red behind its text and to the row's end, one pixel short.
    EXPECT_EQ(b.Pixel(48 + 20 * cw, 2 + lh), 0x0000FFu);
    EXPECT_EQ(b.Pixel(48 + 20 * cw, 2 + 2 * lh - 1), clWhite);
    // The wavy underline: red pixels only under the marked columns, near the row's bottom.
    auto red = [](TColor c) { return c == 0x0000FFu; };
    const int rowTop = 2 + 2 * lh;
    EXPECT_EQ(CountWhere(b, 48, 48 + 6 * cw, rowTop + lh - 4, rowTop + lh, red), 0);
    EXPECT_GT(CountWhere(b, 48 + 7 * cw, 48 + 12 * cw, rowTop + lh - 4, rowTop + lh, red), 0);
}

TEST_F(View, ScrollingTheCaretIntoViewMovesColumnsAndLines) {
    memo.Lines().SetText(Numbered(200, std::string(150, 'q')));
    // Down past the view: the caret's line becomes the last visible one.
    memo.SetCaretY(150);
    EXPECT_EQ(memo.LastVisibleLine(), 150);
    // Right past the view: two columns to spare.
    memo.SetCaretX(120);
    EXPECT_EQ(memo.LastVisibleCol(), 122);
    // Back left: two columns before the caret, not below 0.
    memo.SetCaretX(10);
    EXPECT_EQ(memo.LeftCol(), 8);
    memo.SetCaretX(1);
    EXPECT_EQ(memo.LeftCol(), 0);
    // Up past the view.
    memo.SetCaretY(3);
    EXPECT_EQ(memo.TopLine(), 3);
}

} // namespace

namespace {

TEST_F(View, BorderStylesMoveTheTextArea) {
    EXPECT_EQ(memo.TextArea(), Rect(48, 1, 499, 366));
    memo.SetCtl3D(true);
    EXPECT_EQ(memo.TextArea(), Rect(49, 2, 498, 365));
    const Rendered raised = Render(memo);
    EXPECT_NE(raised.Pixel(0, 100), 0x808080u); // the 3D frame, not the flat border
    memo.SetBorderStyle(TBorderStyle::bsNone);
    EXPECT_EQ(memo.TextArea(), Rect(47, 0, 500, 367));
    const Rendered none = Render(memo);
    EXPECT_EQ(none.Pixel(250, 366), clWhite);
}

// A collapsed region shows its start line with a plus box, and its other lines are skipped.
TEST_F(View, ACollapsedRegionShowsItsStartAndSkipsItsLines) {
    memo.CodeFolding().SetEnabled(true);
    memo.Lines().SetText("before\r\nstart\r\ninside\r\nend\r\nafter");
    ASSERT_TRUE(memo.Model().Folding().AddRegion(1, 3));
    ASSERT_TRUE(memo.Model().SetExpanded(1, false));
    const Rendered b = Render(memo);
    const int lh = memo.LineHeight();
    const int x0 = memo.FoldingColumn().Left;
    const int off = (lh - 9) / 2;
    const int rowTop = 2 + lh; // row 1
    // The box: outline in the folding line colour, a plus inside.
    EXPECT_EQ(b.Pixel(x0 + 2, rowTop + off), clGray);
    EXPECT_EQ(b.Pixel(x0 + 10, rowTop + off + 8), clGray);
    EXPECT_EQ(b.Pixel(x0 + 5, rowTop + off + 4), clGray);  // minus stroke
    EXPECT_EQ(b.Pixel(x0 + 6, rowTop + off + 2), clGray);  // plus stroke
    EXPECT_EQ(b.Pixel(x0 + 3, rowTop + off + 2), clWhite); // inside the box
    // The collapsed marker after "start": a box 5 to 30 pixels right of the text's end.
    const int left = memo.TextArea().Left;
    EXPECT_EQ(left, 48 + 16); // the fold column has room of its own
    const int textEnd = left + 5 * memo.CharWidth();
    EXPECT_EQ(b.Pixel(textEnd + 5, rowTop + lh / 2), clGray);
    EXPECT_EQ(b.Pixel(textEnd + 29, rowTop + lh / 2), clGray);
    // Row 2 shows "after": the region's other lines are skipped.
    Rendered expected;
    {
        TAdvMemo plain(nullptr);
        plain.SetBounds(0, 0, 500, 367);
        plain.Lines().SetText("x\r\ny\r\nafter");
        expected = Render(plain);
    }
    for (int x = 0; x < 5 * memo.CharWidth(); ++x)
        for (int y = 2 + 2 * lh; y < 2 + 3 * lh; ++y)
            ASSERT_EQ(b.Pixel(left + x, y), expected.Pixel(48 + x, y)) << x << "," << y;
    // A glyph for collapsed regions stands in the box in place of the plus.
    TBitmap glyph(9, 9);
    glyph.Canvas().Brush().Color = 0x123456;
    glyph.Canvas().FillRect(Rect(0, 0, 9, 9));
    glyph.Canvas().SetPixel(8, 8, 0x654321);
    memo.CodeFolding().SetExpandGlyph(glyph);
    const Rendered g = Render(memo);
    EXPECT_EQ(g.Pixel(x0 + 6, rowTop + off + 2), 0x123456u); // where the plus was
    EXPECT_EQ(g.Pixel(x0 + 10, rowTop + off + 8), 0x654321u);
}

TEST_F(View, ResizingKeepsTheTopLine) {
    memo.Lines().SetText(Numbered(500));
    memo.SetTopLine(200);
    memo.SetBounds(0, 0, 500, 300);
    EXPECT_EQ(memo.TopLine(), 200);
    memo.SetBounds(0, 0, 500, 20000); // every line fits: the view starts at the top
    EXPECT_EQ(memo.TopLine(), 0);
    EXPECT_FALSE(memo.VerticalBar().Visible());
}

} // namespace

namespace {

// Both at the usual size and at one where the text area holds a whole number of cells, so that
// its last pixel, not the pixel after it, decides what counts as visible.
TEST_F(View, TheCaretScrolledIntoViewLandsOnTheLastWholeRowAndTheBarsFollow) {
    memo.Lines().SetText(Numbered(200, std::string(150, 'q')));
    const int cw = memo.CharWidth();
    const int lh = memo.LineHeight();
    const TRect usual = memo.TextArea();
    const TSize exact{500 + 50 * cw - usual.Width(), 367 + 20 * lh - usual.Height()};
    for (const TSize size : {TSize{500, 367}, exact}) {
        memo.SetBounds(0, 0, size.cx, size.cy);
        memo.SetCaretY(0);
        memo.SetCaretX(0);
        const TRect text = memo.TextArea();
        // Whole rows and columns from the text area's origin to its last pixel.
        const int rows = (text.Bottom - 1 - text.Top) / lh;
        const int columns = (text.Right - 1 - text.Left) / cw;
        memo.SetCaretY(150);
        EXPECT_EQ(memo.TopLine(), 150 - rows + 1) << size.cx;
        EXPECT_EQ(memo.VerticalBar().Position(), memo.TopLine());
        // Right: the caret stands two columns before the last whole one.
        memo.SetCaretX(120);
        EXPECT_EQ(memo.LeftCol(), 120 - (columns - 1) + 2) << size.cx;
        EXPECT_EQ(memo.HorizontalBar().Position(), memo.LeftCol());
        // Left: two columns before the caret, and the bar goes along.
        memo.SetCaretX(10);
        EXPECT_EQ(memo.LeftCol(), 8);
        EXPECT_EQ(memo.HorizontalBar().Position(), 8);
    }
    EXPECT_EQ(memo.TextArea().Width(), 50 * cw);
    EXPECT_EQ(memo.TextArea().Height(), 20 * lh);
}

TEST_F(View, TheActiveLineComesToTheMiddleOfTheViewWhenItIsOutside) {
    memo.Lines().SetText(Numbered(1000, "line"));
    memo.ActiveLineSettings().SetShowActiveLine(true);
    memo.ActiveLineSettings().SetActiveLineAtCursor(true);
    const int rows = memo.VisibleLineCount();
    memo.SetCaretY(500);
    EXPECT_EQ(memo.ActiveLine(), 500);
    EXPECT_EQ(memo.TopLine(), 500 - rows / 2);
    // Inside the view nothing scrolls; no active line at all leaves the view alone too.
    memo.SetCaretY(500 + rows / 4);
    EXPECT_EQ(memo.TopLine(), 500 - rows / 2);
    memo.SetActiveLine(-1);
    EXPECT_EQ(memo.TopLine(), 500 - rows / 2);
    // Near the top the middle would be above line 0.
    memo.SetCaretY(3);
    EXPECT_EQ(memo.TopLine(), 0);
}

TEST_F(View, StrictScrollingPullsTheCaretBackWhereNoBarCouldScroll) {
    memo.Lines().SetText(Numbered(100, std::string(150, 'q')));
    memo.SetScrollMode(TScrollMode::smStrict);
    memo.SetScrollBars(TScrollStyle::ssNone);
    memo.SetCaretX(120);
    EXPECT_EQ(memo.LeftCol(), 0);
    EXPECT_EQ(memo.CaretX(), memo.LastVisibleCol());
    memo.SetCaretY(80);
    EXPECT_EQ(memo.TopLine(), 0);
    EXPECT_EQ(memo.CaretY(), memo.LastVisibleLine());
    // A vertical bar lets the lines scroll; columns are still pulled back.
    memo.SetScrollBars(TScrollStyle::ssVertical);
    memo.SetCaretY(80);
    EXPECT_EQ(memo.CaretY(), 80);
    EXPECT_EQ(memo.LastVisibleLine(), 80);
    memo.SetCaretX(130);
    EXPECT_EQ(memo.LeftCol(), 0);
    // In automatic mode the view scrolls whatever the bars.
    memo.SetScrollMode(TScrollMode::smAuto);
    memo.SetCaretX(130);
    EXPECT_EQ(memo.CaretX(), 130);
    EXPECT_EQ(memo.LastVisibleCol(), 132);
}

TEST_F(View, AWheelNotchScrollsThreeLines) {
    memo.Lines().SetText(Numbered(1000, "line"));
    memo.SetTopLine(100);
    memo.PerformMouseWheel({}, -120, 100, 100);
    EXPECT_EQ(memo.TopLine(), 103);
    memo.PerformMouseWheel({}, -240, 100, 100);
    EXPECT_EQ(memo.TopLine(), 109);
    memo.PerformMouseWheel({}, 120, 100, 100);
    EXPECT_EQ(memo.TopLine(), 106);
}

// A breakpoint line and the active line keep their own two colours under the selection,
// swapped; other lines show the selection colours.
TEST_F(View, ASelectionOnABreakpointOrTheActiveLineSwapsThatLinesColours) {
    memo.SetHideSelection(false);
    memo.SetSelColor(clLime);
    memo.SetSelBkColor(0x008000); // green
    memo.Lines().SetText("HHHHHHHH\r\nHHHHHHHH\r\nHHHHHHHH");
    memo.Lines().LineProp(1)->Breakpoint = true;
    memo.ActiveLineSettings().SetShowActiveLine(true);
    memo.ActiveLineSettings().SetActiveLineAtCursor(true);
    memo.SetCaretY(2);
    memo.SetSelection({2, 0}, {4, 2});
    const Rendered b = Render(memo);
    const int cw = memo.CharWidth();
    const int lh = memo.LineHeight();
    auto count = [&](int line, int fromColumn, int toColumn, TColor colour) {
        return CountWhere(b, 48 + fromColumn * cw, 48 + toColumn * cw, 2 + line * lh,
                          2 + (line + 1) * lh, [colour](TColor c) { return c == colour; });
    };
    // A plain line: lime on green.
    EXPECT_GT(count(0, 2, 8, TColor{0x008000}), 0);
    EXPECT_GT(count(0, 2, 8, clLime), 0);
    // The breakpoint line, wholly selected: red text on white, no selection colours.
    EXPECT_GT(count(1, 0, 8, clWhite), 0);
    EXPECT_GT(count(1, 0, 8, clRed), 0);
    EXPECT_EQ(count(1, 0, 8, TColor{0x008000}) + count(1, 0, 8, clLime), 0);
    // The active line: navy text on yellow where selected, yellow on navy after.
    EXPECT_GT(count(2, 0, 4, clYellow), 0);
    EXPECT_GT(count(2, 0, 4, clNavy), 0);
    EXPECT_EQ(count(2, 0, 4, TColor{0x008000}) + count(2, 0, 4, clLime), 0);
    EXPECT_GT(count(2, 4, 8, clYellow), 0);
    EXPECT_GT(count(2, 4, 8, clNavy), 0);
    EXPECT_EQ(count(2, 4, 8, TColor{0x008000}) + count(2, 4, 8, clLime), 0);
}

TEST_F(View, TextBesideASelectionThatMissesItIsStillDrawn) {
    memo.SetHideSelection(false);
    memo.Lines().SetText("ab\r\ncd");
    memo.SetSelection({5, 0}, {1, 1}); // starts right of line 0's end
    const Rendered b = Render(memo);
    const int lh = memo.LineHeight();
    EXPECT_GT(CountWhere(b, 48, 48 + 2 * memo.CharWidth(), 2, 2 + lh, IsInk), 0);
    EXPECT_EQ(CountWhere(b, 48, 300, 2, 2 + lh, [](TColor c) { return c == clNavy; }), 0);
}

TEST_F(View, ABreakpointRowScrolledPastItsTextIsItsColourToTheLeftEdge) {
    memo.Lines().SetText("short\r\nshort\r\n" + std::string(200, 'w'));
    memo.Lines().LineProp(1)->Breakpoint = true;
    memo.SetLeftCol(20);
    const Rendered b = Render(memo);
    const int lh = memo.LineHeight();
    const TRect text = memo.TextArea();
    EXPECT_EQ(CountWhere(b, text.Left, text.Right, 2 + lh, 2 + 2 * lh - 1,
                         [](TColor c) { return c != clRed; }),
              0);
}

// The wave of a marked range: from the even x at or left of its start the pen goes 1 pixel
// below the underline's y where x is a multiple of 4 and 1 pixel above it two pixels on.
TEST_F(View, TheWavyUnderlineKeepsItsPhase) {
    memo.Lines().Put(0, std::string(30, ' '));
    TLineProp* marks = memo.Lines().LineProp(0);
    marks->MarkStarts = {3};
    marks->MarkLengths = {10};
    const Rendered b = Render(memo);
    const TRect text = memo.TextArea();
    const int cw = memo.CharWidth();
    const int y = text.Top + 1 + memo.LineHeight() - 2;
    const int from = (3 * cw) & ~1;
    const int to = 13 * cw;
    for (int bx = from - 4; bx < to + 4; ++bx) {
        int expected = -100; // no ink in this column
        if (bx >= from && bx < to)
            expected = bx % 4 == 0 ? y + 1 : (bx % 4 == 2 ? y - 1 : y);
        for (int py = y - 3; py <= y + 3; ++py)
            EXPECT_EQ(b.Pixel(text.Left + bx, py) == clRed, py == expected)
                << "x " << text.Left + bx << ", y " << py;
    }
}

// A collapsed region hides the regions nested in it: each nested start needs one more end.
// Rows as a model: a row map that hides lines drives the painter, the gutter's numbers, caret
// and page moves, clicks and scrolling alike.
TEST_F(View, ARowMapThatHidesLinesDrivesEveryRowQuestion) {
    TInputMemo input;
    input.SetBounds(0, 0, 500, 367);
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    input.Lines().SetText(text);
    // Lines 2 to 4 and 100 to 149 hidden.
    std::vector<int> hidden = {2, 3, 4};
    for (int i = 100; i < 150; ++i)
        hidden.push_back(i);
    input.SetRowMap(std::make_unique<THiddenRows>(hidden));
    const int lh = input.LineHeight();
    // Painted rows and gutter numbers: row 2 shows line 5 and the number 6.
    TAdvMemo plain(nullptr);
    plain.SetBounds(0, 0, 500, 367);
    plain.Lines().SetText("line 0\r\nline 1\r\nline 5");
    plain.Gutter().SetLineNumberStart(4); // its third number is 6
    const Rendered b = Render(input);
    const Rendered expected = Render(plain);
    for (int x = 1; x < 48 + 6 * input.CharWidth(); ++x)
        for (int y = 2 + 2 * lh; y < 2 + 3 * lh; ++y)
            ASSERT_EQ(b.Pixel(x, y), expected.Pixel(x, y)) << x << "," << y;
    // Caret moves skip the hidden lines, both ways.
    input.Go(3, 1);
    input.Key(VK_DOWN);
    EXPECT_EQ(input.Caret().Caret, (TPoint{3, 5}));
    input.Key(VK_UP);
    EXPECT_EQ(input.Caret().Caret, (TPoint{3, 1}));
    // A click on the third row lands on line 5.
    input.ClickAt(input.At(2, 2));
    EXPECT_EQ(input.Caret().Caret, (TPoint{2, 5}));
    // A page moves by rows: from line 99 over the fifty hidden ones.
    const int page = input.VisibleLineCount();
    input.Go(0, 99);
    input.Key(VK_NEXT);
    EXPECT_EQ(input.CaretY(), 99 + page + 50);
    // The view and its bar count rows: 200 lines take 147.
    EXPECT_EQ(input.RowCount(), 147);
    EXPECT_EQ(input.VerticalBar().Max(), 146);
    input.SetTopLine(150);
    EXPECT_EQ(input.TopLine(), 150);
    EXPECT_EQ(input.VerticalBar().Position(), 97);
    EXPECT_EQ(input.ScreenRowOfLine(151), 1);
    EXPECT_EQ(input.LineOfScreenRow(-1), 99);
}

// The sunken frame: the shadow along the top and left, the highlight along the whole bottom
// and right edges, corners included.
TEST_F(View, The3DBordersLightEdgesRunToTheCorners) {
    memo.SetCtl3D(true);
    const Rendered b = Render(memo);
    const TColor shadow = b.Pixel(250, 0);
    const TColor light = b.Pixel(250, 366);
    ASSERT_NE(shadow, light);
    for (int y = 0; y < 367; ++y)
        EXPECT_EQ(b.Pixel(499, y), light) << "y " << y;
    for (int x = 0; x < 500; ++x)
        EXPECT_EQ(b.Pixel(x, 366), light) << "x " << x;
    for (int x = 0; x < 499; ++x)
        EXPECT_EQ(b.Pixel(x, 0), shadow) << "x " << x;
    for (int y = 0; y < 366; ++y)
        EXPECT_EQ(b.Pixel(0, y), shadow) << "y " << y;
}

} // namespace
