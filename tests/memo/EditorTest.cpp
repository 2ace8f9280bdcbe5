// The editor's plain view: rows from the top line, and the view following the caret.

#include <gtest/gtest.h>

#include "memo/AdvMemo.h"
#include "platform/Graphics.h"

namespace {

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

TEST(Editor, ATextChangeBringsTheCaretBackIntoView) {
    TAdvMemo memo(nullptr);
    ShowTenOfAHundredLines(memo);
    memo.SetCaretY(60);
    memo.SetTopLine(0); // scrolled away with the bar, the caret left behind
    memo.Lines().Put(0, "changed");
    EXPECT_EQ(memo.LastVisibleLine(), 60);
}

} // namespace
