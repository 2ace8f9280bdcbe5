// The editor's caret rules and its plain view.

#include <gtest/gtest.h>

#include "memo/model/SelectionText.h"

#include "memo/AdvMemo.h"
#include "platform/Graphics.h"

namespace {

TEST(Editor, CaretColumnClampsToTheLineWithoutAutoExpand) {
    TAdvMemo memo(nullptr);
    memo.SetAutoExpand(false);
    memo.Lines().SetText("abc\r\nlonger line");
    memo.SetCaretY(1);
    memo.SetCaretX(8);
    memo.SetCaretY(0); // a vertical move keeps the column in virtual space
    EXPECT_EQ(memo.CaretX(), 8);
    memo.SetCaretX(20);
    EXPECT_EQ(memo.CaretX(), 3);
    EXPECT_EQ(memo.Lines().Get(0), "abc");
}

TEST(Editor, AutoExpandLetsTheCaretStandBeyondTheEndAndTypingThereUndoesWhole) {
    TAdvMemo memo(nullptr);
    memo.SetAutoExpand(true);
    memo.Lines().Put(0, "ab");
    memo.SetCaretX(5);
    EXPECT_EQ(memo.CaretX(), 5);
    EXPECT_EQ(memo.Lines().Get(0), "ab"); // moving the caret changes no text
    memo.InsertChar('x');
    EXPECT_EQ(memo.Lines().Get(0), "ab   x");
    memo.Undo();
    EXPECT_EQ(memo.Lines().Get(0), "ab");
    EXPECT_FALSE(memo.CanUndo());
    memo.Redo();
    EXPECT_EQ(memo.Lines().Get(0), "ab   x");
}

TEST(Editor, CharacterStepsGoOverWholeCharactersAndColumnByColumnPastTheEnd) {
    const std::string_view line = "a\xE2\x82\xAC\xC3\xA9\xFF"
                                  "b"; // a, euro, e-acute, a stray byte, b
    EXPECT_EQ(NextCharColumn(line, 0), 1);
    EXPECT_EQ(NextCharColumn(line, 1), 4);
    EXPECT_EQ(NextCharColumn(line, 4), 6);
    EXPECT_EQ(NextCharColumn(line, 6), 7);
    EXPECT_EQ(NextCharColumn(line, 8), 9); // the end, then virtual space
    EXPECT_EQ(NextCharColumn(line, 9), 10);
    EXPECT_EQ(PreviousCharColumn(line, 4), 1);
    EXPECT_EQ(PreviousCharColumn(line, 6), 4);
    EXPECT_EQ(PreviousCharColumn(line, 8), 7);
    EXPECT_EQ(PreviousCharColumn(line, 10), 9);
    EXPECT_EQ(PreviousCharColumn(line, 0), -1); // to the line above
    EXPECT_EQ(NearestCharColumn(line, 2), 1);
    EXPECT_EQ(NearestCharColumn(line, 3), 4);
    EXPECT_EQ(NearestCharColumn(line, 5), 4); // as near to either end: the start
    EXPECT_EQ(NearestCharColumn(line, 7), 7);
    EXPECT_EQ(NearestCharColumn(line, 12), 12);
}

TEST(Editor, CaretLeftOfColumnZeroGoesToThePreviousLineEnd) {
    TAdvMemo memo(nullptr);
    memo.Lines().SetText("first\r\nsecond");
    memo.SetCaretY(1);
    memo.SetCaretX(-1);
    EXPECT_EQ(memo.CaretY(), 0);
    EXPECT_EQ(memo.CaretX(), 5);
    memo.SetCaretX(-3); // on the first line there is no line above
    EXPECT_EQ(memo.CaretX(), 0);
}

TEST(Editor, CaretLineClampsToTheStore) {
    TAdvMemo memo(nullptr);
    memo.Lines().SetText("a\r\nb");
    memo.SetCaretY(10);
    EXPECT_EQ(memo.CaretY(), 1);
    memo.SetCaretY(-3);
    EXPECT_EQ(memo.CaretY(), 0);
}

TEST(Editor, RowsShowTheirLinesFromTheTopLine) {
    TAdvMemo memo(nullptr);
    memo.SetBounds(0, 0, 300, 120);
    std::string text;
    for (int i = 0; i < 50; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    memo.Lines().SetText(text);

    TBitmap top;
    memo.PaintTo(top);
    // Ink in the text area's part of a row (right of the gutter, inside the border and bars).
    const TRect area = memo.TextArea();
    auto inkInRow = [&](const TBitmap& bitmap, int row) {
        int ink = 0;
        for (int y = 2 + row * memo.LineHeight(); y < 2 + (row + 1) * memo.LineHeight(); ++y)
            for (int x = area.Left; x < area.Right; ++x)
                ink += (bitmap.Pixel(x, y) & 0xFF) < 0x80; // glyph ink, not frames
        return ink;
    };
    EXPECT_GT(inkInRow(top, 0), 0);

    // The view stops where the bar stops: the last line at the bottom.
    memo.SetTopLine(48);
    EXPECT_EQ(memo.TopLine(), 50 - memo.VisibleLineCount());
    EXPECT_EQ(memo.TopLine(), memo.VerticalBar().Max() - memo.VerticalBar().PageSize() + 1);

    // Without a vertical bar the view may go further: rows past the last line stay background.
    memo.SetScrollBars(TScrollStyle::ssHorizontal);
    memo.SetTopLine(48);
    TBitmap bottom;
    memo.PaintTo(bottom);
    EXPECT_GT(inkInRow(bottom, 0), 0);
    EXPECT_GT(inkInRow(bottom, 1), 0);
    EXPECT_EQ(inkInRow(bottom, 3), 0);
}

// A view ten rows high over a hundred lines.
void ShowTenOfAHundredLines(TAdvMemo& memo) {
    memo.SetBounds(0, 0, 300, 10 * memo.LineHeight() + 4);
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "x\r\n";
    memo.Lines().SetText(text);
}

TEST(Editor, ScrollingTheCaretIntoViewMovesTheTopLine) {
    TAdvMemo memo(nullptr);
    ShowTenOfAHundredLines(memo);
    memo.SetCaretY(60);
    EXPECT_LE(memo.TopLine(), 60);
    EXPECT_GE(memo.TopLine() + memo.VisibleLineCount() - 1, 60);
    memo.SetCaretY(5);
    EXPECT_EQ(memo.TopLine(), 5);
}

TEST(Editor, TrailingSpacesGoWhenTheCaretLeavesTheLine) {
    TAdvMemo memo(nullptr);
    memo.SetTrimTrailingSpaces(true);
    memo.Lines().SetText("abc   \r\nx  \r\n  ");
    memo.SetCaretY(1);
    EXPECT_EQ(memo.Lines().Get(0), "abc");
    EXPECT_EQ(memo.Lines().LineLength(0), 3);
    EXPECT_EQ(memo.Lines().Get(1), "x  "); // the caret's own line keeps them
    memo.SetCaretY(2);
    EXPECT_EQ(memo.Lines().Get(1), "x");
    memo.SetCaretY(0);
    EXPECT_EQ(memo.Lines().Get(2), "");
    // Without the setting nothing is trimmed.
    memo.SetTrimTrailingSpaces(false);
    memo.Lines().Put(0, "keep  ");
    memo.SetCaretY(1);
    EXPECT_EQ(memo.Lines().Get(0), "keep  ");
}

TEST(Editor, DeletingTheCaretsLastLineMovesTheCaretUp) {
    TAdvMemo memo(nullptr);
    memo.Lines().SetText("a\r\nb\r\nc");
    memo.SetCaretY(2);
    memo.DeleteLine();
    ASSERT_EQ(memo.Lines().Count(), 2);
    EXPECT_EQ(memo.CaretY(), 1);
    EXPECT_EQ(memo.Caret().SelStart, (TPoint{0, 1}));
    memo.Lines().SetText("only");
    memo.SetSelection({0, 0}, {3, 0});
    memo.DeleteLine();
    EXPECT_EQ(memo.Lines().Count(), 1);
    EXPECT_EQ(memo.Lines().Get(0), "");
    EXPECT_TRUE(memo.SelectionEmpty());
}

TEST(Editor, ATextChangeBringsTheCaretBackIntoView) {
    TAdvMemo memo(nullptr);
    ShowTenOfAHundredLines(memo);
    memo.SetCaretY(60);
    memo.SetTopLine(0); // scrolled away with the bar, the caret left behind
    memo.Lines().Put(0, "changed");
    EXPECT_EQ(memo.LastVisibleLine(), 60);
}

} // namespace
