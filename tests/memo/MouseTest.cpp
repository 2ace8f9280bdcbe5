// The editor under the mouse: placing, selecting, word selection, dragging, the context menu
// and the clipboard.

#include <gtest/gtest.h>

#include "platform/Clipboard.h"
#include "platform/Menus.h"
#include "tests/memo/MemoInput.h"

namespace {

TEST(Mouse, ClicksPlaceTheCaretByTheNearerCellEdgeAndShiftClickExtends) {
    TInputMemo memo("alpha beta\r\ngamma");
    memo.ClickAt(memo.At(2, 0, memo.CharWidth() / 2 + 1));
    EXPECT_EQ(memo.Caret().Caret, (TPoint{3, 0}));
    memo.ClickAt(memo.At(2, 1, 1), {.Shift = true});
    EXPECT_EQ(memo.GetSelectedText(), "ha beta\r\nga");
    // A click beyond a line's end stops at the end and pads nothing.
    memo.ClickAt(memo.At(9, 1));
    EXPECT_EQ(memo.Caret().Caret, (TPoint{5, 1}));
    EXPECT_EQ(memo.Lines().Get(1), "gamma");
    // Dragging across lines stops at line ends.
    memo.Press(memo.At(4, 1));
    memo.Move(memo.At(20, 0));
    memo.Move(memo.At(20, 0));
    EXPECT_EQ(memo.Caret().Caret, (TPoint{10, 0}));
    EXPECT_EQ(memo.Lines().Get(0), "alpha beta");
    memo.Release(memo.At(20, 0));
    EXPECT_EQ(memo.GetSelectedText(), "\r\ngamm");
}

// A click in the fold column closes the region of its line and opens it again; the view
// stays where it was and the caret comes to the line.
TEST(Mouse, TheFoldColumnTogglesTheRegionOfItsLine) {
    TInputMemo memo;
    TAdvCustomMemoStyler styler;
    styler.RegionDefinitions.emplace_back().SetRegionStart("begin");
    styler.RegionDefinitions.back().SetRegionEnd("end");
    memo.SetSyntaxStyles(&styler);
    memo.CodeFolding().SetEnabled(true);
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += i % 10 == 2 ? "begin\r\n" : i % 10 == 6 ? "end\r\n" : "x\r\n";
    memo.Lines().SetText(text);
    ASSERT_EQ(memo.RegionCount(), 6);
    memo.SetTopLine(10);
    const TRect fold = memo.FoldingColumn();
    auto rowY = [&](int row) { return memo.At(0, memo.TopLine() + row).Y; }; // screen row
    const TPoint box{fold.Left + 6, rowY(12)};
    memo.ClickAt(box);
    EXPECT_TRUE(memo.Model().Folding().IsCollapsed(22));
    EXPECT_EQ(memo.CaretY(), 22);
    EXPECT_EQ(memo.TopLine(), 10);
    EXPECT_EQ(memo.LineOfScreenRow(13), 27); // 23..26 hidden
    memo.ClickAt({fold.Left + 6, rowY(13)}); // line 27: no region starts there
    EXPECT_EQ(memo.LineOfScreenRow(13), 27);
    memo.ClickAt(box);
    EXPECT_TRUE(memo.Model().Folding().IsExpanded(22));
    EXPECT_EQ(memo.LineOfScreenRow(13), 23);
}

TEST(Mouse, LinksShowTheHandAndAClickOpensThemAsTheyStand) {
    const std::string hostile = "http://a;b|c&d$(touch_x)`id`>y";
    TInputMemo memo("word,www.x.org\r\n" + hostile + " end");
    EXPECT_EQ(memo.CursorAt(memo.At(1, 0).X, memo.At(1, 0).Y), TCursor::crIBeam);
    EXPECT_EQ(memo.CursorAt(memo.At(6, 0).X, memo.At(6, 0).Y), TCursor::crHandPoint);
    memo.ClickAt(memo.At(6, 0));
    memo.ClickAt(memo.At(3, 1)); // metacharacters and all, as one piece
    memo.ClickAt(memo.At(14, 0)); // just right of the link's last character
    memo.ClickAt(memo.At(2, 0));
    EXPECT_EQ(memo.Opened, (std::vector<std::string>{"http://www.x.org", hostile}));
    // A handler takes the click instead of the desktop; without UrlAware nothing is a link.
    std::string clicked;
    memo.OnURLClick = [&](TObject*, const std::string& url) { clicked = url; };
    memo.ClickAt(memo.At(5, 0));
    EXPECT_EQ(clicked, "www.x.org");
    memo.SetUrlAware(false);
    memo.OnURLClick = nullptr;
    memo.ClickAt(memo.At(6, 0));
    EXPECT_EQ(memo.Opened.size(), 2u);
    EXPECT_EQ(memo.CursorAt(memo.At(6, 0).X, memo.At(6, 0).Y), TCursor::crIBeam);
}

TEST(Mouse, DoubleClickSelectsTheWordLeftOfTheCaret) {
    TInputMemo memo("say hello there");
    memo.DoubleClick(memo.At(4, 0, memo.CharWidth() - 2));
    EXPECT_EQ(memo.GetSelectedText(), "hello");
    memo.Go(0, 0);
    memo.DoubleClick(memo.At(4, 0, 1)); // the caret before the h: a space left of it
    EXPECT_TRUE(memo.SelectionEmpty());
}

TEST(Mouse, PressInsideTheSelectionAndReleaseCollapsesIt) {
    TInputMemo memo("abcdefgh");
    memo.SetSelection({1, 0}, {6, 0});
    memo.Press(memo.At(3, 0));
    EXPECT_EQ(memo.GetSelectedText(), "bcdef");
    memo.Release(memo.At(3, 0));
    EXPECT_TRUE(memo.SelectionEmpty());
    EXPECT_EQ(memo.CaretX(), 3);
}

TEST(Mouse, DraggingTheSelectionMovesItAndCtrlCopiesIt) {
    TInputMemo memo("abc def\r\nxyz");
    memo.SetSelection({0, 0}, {4, 0});
    memo.Press(memo.At(1, 0));
    memo.Move(memo.At(1, 0, 4));
    memo.Move(memo.At(1, 1));
    memo.Release(memo.At(1, 1));
    EXPECT_EQ(memo.Text(), "def|xabc yz");
    memo.CtrlKey('Z');
    EXPECT_EQ(memo.Text(), "abc def|xyz");

    memo.SetSelection({4, 0}, {7, 0});
    memo.Press(memo.At(5, 0));
    memo.Move(memo.At(5, 0, 4));
    memo.Release(memo.At(3, 1), {.Ctrl = true});
    EXPECT_EQ(memo.Text(), "abc def|xyzdef");
    memo.Key(VK_LEFT, kShift); // the selection starts afresh at the caret after the drop
    EXPECT_EQ(memo.GetSelectedText(), "f");
}

TEST(Mouse, ContextMenuGreysWhatCannotRunAndRunsTheChoice) {
    TInputMemo memo("abc");
    SetClipboardText("clip");
    std::vector<TPopupEntry> shown;
    int choice = -1;
    PopupMenuSeam seam;
    seam.Answer = [&](const std::vector<TPopupEntry>& entries, TPoint) {
        shown = entries;
        return choice;
    };
    memo.RightClick(memo.At(1, 0));
    const std::vector<TPopupEntry> expected = {{"Undo\tCtrl-Z", false},
                                               {"Redo\tCtrl-Y", false},
                                               {"-", true},
                                               {"Copy\tCtrl-C", false},
                                               {"Cut\tCtrl-X", false},
                                               {"Paste\tCtrl-V", true},
                                               {"Delete", false},
                                               {"-", true},
                                               {"Select All\tCtrl-A", true}};
    EXPECT_EQ(shown, expected);
    choice = 8; // Select All, then Delete
    memo.RightClick(memo.At(1, 0));
    EXPECT_EQ(memo.GetSelectedText(), "abc");
    choice = 6;
    memo.RightClick(memo.At(1, 0));
    EXPECT_EQ(memo.Text(), "");
    EXPECT_TRUE(shown[3].Enabled && shown[4].Enabled && shown[6].Enabled);
    memo.SetReadOnly(true);
    shown.clear();
    memo.RightClick(memo.At(1, 0));
    EXPECT_FALSE(shown[0].Enabled || shown[5].Enabled);
    EXPECT_TRUE(shown[8].Enabled);
    shown.clear();
    memo.RightClick({-1, -1}); // from the keyboard: nothing
    EXPECT_TRUE(shown.empty());
}

TEST(Mouse, AnEmptySelectionCopiesAnEmptyText) {
    TInputMemo memo("abc");
    SetClipboardText("old");
    memo.CopyToClipboard();
    EXPECT_EQ(ClipboardText(), "");
    EXPECT_EQ(memo.CursorAt(memo.At(1, 0).X, memo.At(1, 0).Y), TCursor::crIBeam);
    EXPECT_EQ(memo.CursorAt(0, 0), TCursor::crArrow);
}

} // namespace
