// The editor model driven by keys: caret moves, selection, typing and the key commands.

#include <gtest/gtest.h>

#include "memo/model/MemoUndo.h"
#include "tests/memo/model/ModelEditor.h"

namespace {

TEST(Keyboard, RightAtALineEndEntersVirtualSpaceOnlyWithAutoExpandAndNeverWithShift) {
    TModelEditor memo("ab\r\nlonger");
    memo.Go(2, 0);
    memo.Key(VK_RIGHT, kShift);
    EXPECT_EQ(memo.Model().CaretX(), 2);
    EXPECT_TRUE(memo.Model().SelectionEmpty());
    memo.Key(VK_RIGHT);
    EXPECT_EQ(memo.Model().CaretX(), 3);
    EXPECT_EQ(memo.Lines().Get(0), "ab");
    memo.Settings().AutoExpand = false;
    memo.Key(VK_RIGHT);
    EXPECT_EQ(memo.Model().CaretX(), 2);
    // Shift+Down keeps the column only as far as the new line allows; Shift+Up back.
    memo.Go(5, 1);
    memo.Key(VK_UP, kShift);
    EXPECT_EQ(memo.Model().Caret().Caret, (TPoint{2, 0}));
    EXPECT_EQ(memo.Model().GetSelectedText(), "\r\nlonge");
}

TEST(Keyboard, EndStopsBeforeTrailingSpacesAndHomeGoesToColumnZero) {
    TModelEditor memo("  abc   ");
    memo.Go(1, 0);
    memo.Key(VK_END);
    EXPECT_EQ(memo.Model().CaretX(), 5);
    memo.Key(VK_HOME, kShift);
    EXPECT_EQ(memo.Model().CaretX(), 0);
    EXPECT_EQ(memo.Model().GetSelectedText(), "  abc");
}

TEST(Keyboard, CtrlShiftEndAndHomeSelectFromTheAnchorToTheEndsOfTheText) {
    TModelEditor memo("one\r\ntwo three\r\nfour  ");
    memo.Go(4, 1);
    memo.Key(VK_END, kCtrlShift);
    EXPECT_EQ(memo.Model().Caret().Caret, (TPoint{4, 2}));
    EXPECT_EQ(memo.Model().GetSelectedText(), "three\r\nfour");
    memo.Go(4, 1);
    memo.Key(VK_HOME, kCtrlShift);
    EXPECT_EQ(memo.Model().GetSelectedText(), "one\r\ntwo ");
    memo.Key(VK_END, kCtrl);
    EXPECT_TRUE(memo.Model().SelectionEmpty());
    EXPECT_EQ(memo.Model().Caret().Caret, (TPoint{4, 2}));
}

TEST(Keyboard, ShiftMovesExtendOnlyFromTheTrackPoint) {
    TModelEditor memo("abcdef");
    memo.Go(1, 0);
    memo.Key(VK_RIGHT, kShift);
    memo.Key(VK_RIGHT, kShift);
    EXPECT_EQ(memo.Model().GetSelectedText(), "bc");
    memo.Model().SetCaretX(5); // moved without the keyboard: the next Shift move starts afresh
    memo.Key(VK_LEFT, kShift);
    EXPECT_TRUE(memo.Model().SelectionEmpty());
    EXPECT_EQ(memo.Model().CaretX(), 4);
}

TEST(Keyboard, WordMovesStopAtWordStartsAndCrossLines) {
    TModelEditor memo("alpha  beta gamma  \r\nnext");
    memo.Key(VK_RIGHT, kCtrl);
    EXPECT_EQ(memo.Model().CaretX(), 7);
    memo.Key(VK_RIGHT, kCtrl);
    EXPECT_EQ(memo.Model().CaretX(), 12);
    memo.Key(VK_RIGHT, kCtrl);
    EXPECT_EQ(memo.Model().CaretX(), 17);
    memo.Key(VK_RIGHT, kCtrl);
    EXPECT_EQ(memo.Model().Caret().Caret, (TPoint{0, 1}));
    memo.Key(VK_LEFT, kCtrl);
    EXPECT_EQ(memo.Model().Caret().Caret, (TPoint{19, 0}));
    memo.Go(17, 0);
    memo.Key(VK_LEFT, kCtrl);
    EXPECT_EQ(memo.Model().CaretX(), 12);
    memo.Key(VK_LEFT, kCtrlShift);
    EXPECT_EQ(memo.Model().CaretX(), 7);
    EXPECT_EQ(memo.Model().GetSelectedText(), "beta ");
    EXPECT_EQ(memo.Lines().Get(0), "alpha  beta gamma  ");
}

TEST(Keyboard, PagesMoveCaretAndViewByAWholePage) {
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "line\r\n";
    TModelEditor memo(text);
    const int page = memo.PageRows();
    memo.Key(VK_NEXT);
    EXPECT_EQ(memo.Model().CaretY(), page);
    EXPECT_EQ(memo.TopLine(), page);
    memo.Key(VK_PRIOR, kShift);
    EXPECT_EQ(memo.Model().CaretY(), 0);
    EXPECT_EQ(memo.Model().Caret().SelStart, (TPoint{0, page}));
    memo.Key(VK_NEXT, kCtrl);
    EXPECT_EQ(memo.Model().CaretY(), memo.Lines().Count() - 1);
}

TEST(Keyboard, TypingInVirtualSpacePadsTheLineAndUndoGivesItBack) {
    TModelEditor memo("01234567890123456789\r\nabc");
    memo.Go(10, 0);
    memo.Key(VK_DOWN);
    EXPECT_EQ(memo.Model().CaretX(), 10);
    EXPECT_EQ(memo.Lines().Get(1), "abc");
    memo.Type("x");
    EXPECT_EQ(memo.Lines().Get(1), "abc       x");
    memo.CtrlKey('Z');
    EXPECT_EQ(memo.Lines().Get(1), "abc");
}

TEST(Keyboard, EnterIndentsSplitsAndOneUndoJoins) {
    TModelEditor memo("    abc def");
    memo.Go(8, 0);
    memo.Type("\n");
    EXPECT_EQ(memo.Text(), "    abc |    def");
    EXPECT_EQ(memo.Model().Caret().Caret, (TPoint{4, 1}));
    memo.CtrlKey('Z');
    EXPECT_EQ(memo.Text(), "    abc def");
    // Enter before the space drops it from the new line; undo still gives the line back.
    memo.Go(7, 0);
    memo.Type("\n");
    EXPECT_EQ(memo.Text(), "    abc|    def");
    memo.CtrlKey('Z');
    EXPECT_EQ(memo.Text(), "    abc def");
    memo.CtrlKey('Y');
    EXPECT_EQ(memo.Text(), "    abc|    def");
    // Enter replaces a selection, whatever DelErase says.
    memo.Model().SetSelection({5, 0}, {6, 1});
    memo.Type("\n");
    EXPECT_EQ(memo.Text(), "    a|    f");
}

TEST(Keyboard, BackspaceJoinsAtColumnZeroAndOnlyMovesInVirtualSpace) {
    TModelEditor memo("l0\r\nl1\r\nl2\r\nl3\r\nline4\r\nl5");
    memo.Go(0, 5);
    memo.Key(VK_BACK);
    EXPECT_EQ(memo.Lines().Get(4), "line4l5");
    EXPECT_EQ(memo.Model().Caret().Caret, (TPoint{5, 4}));
    memo.Settings().AutoExpand = false;
    memo.Go(6, 4);
    memo.Key(VK_UP); // into virtual space on "l3"
    memo.Key(VK_BACK);
    EXPECT_EQ(memo.Text(), "l0|l1|l2|l3|line4l5");
    memo.Key(VK_BACK);
    EXPECT_EQ(memo.Text(), "l0|l1|l2|l|line4l5");
}

TEST(Keyboard, DeleteJoinsTheNextLineAtTheLineEndEvenFromVirtualSpace) {
    TModelEditor memo("ab\r\ncdefgh");
    memo.Settings().AutoExpand = false;
    memo.Go(5, 1);
    memo.Key(VK_UP);
    memo.Key(VK_DELETE);
    EXPECT_EQ(memo.Text(), "abcdefgh");
    memo.CtrlKey('Z');
    EXPECT_EQ(memo.Text(), "ab|cdefgh");
}

TEST(Keyboard, TabInsertsSpacesShiftTabMovesBack) {
    TModelEditor memo("ab");
    memo.Go(1, 0);
    memo.Key(VK_TAB);
    EXPECT_EQ(memo.Lines().Get(0), "a    b");
    memo.Key(VK_TAB, kShift);
    EXPECT_EQ(memo.Model().CaretX(), 1);
    memo.Key(VK_TAB, kShift);
    EXPECT_EQ(memo.Model().CaretX(), 0);
    EXPECT_EQ(memo.Lines().Get(0), "a    b");
}

TEST(Keyboard, SmartTabsAlignToTheWordsOfTheLinesAbove) {
    TModelEditor memo("alpha   beta  gamma\r\nx\r\nab  cd\r\n      ");
    memo.Settings().SmartTabs = true;
    memo.Go(1, 1);
    memo.Key(VK_TAB);
    memo.Type("b");
    memo.Key(VK_TAB);
    EXPECT_EQ(memo.Lines().Get(1), "x       b     ");
    EXPECT_EQ(memo.Model().CaretX(), 14);
    memo.Go(6, 3);
    memo.Key(VK_BACK);
    EXPECT_EQ(memo.Lines().Get(3), "    ");
    EXPECT_EQ(memo.Model().CaretX(), 4);
    memo.Key(VK_BACK); // "ab" starts at 0 on the line above
    EXPECT_EQ(memo.Lines().Get(3), "");
    memo.Type("    ");
    memo.Lines().Put(2, "ab ");
    memo.Key(VK_BACK); // past the line's end and its trailing space to "ab"
    EXPECT_EQ(memo.Lines().Get(3), "");
    for (int i = 0; i < 4; ++i)
        memo.CtrlKey('Z');
    EXPECT_EQ(memo.Lines().Get(3), "      ");
}

TEST(Keyboard, DelEraseDecidesWhetherTypingReplacesTheSelection) {
    TModelEditor memo("abcdef");
    memo.Model().SetSelection({1, 0}, {3, 0});
    memo.Go(3, 0);
    memo.Model().SetSelection({1, 0}, {3, 0});
    memo.Type("x");
    EXPECT_EQ(memo.Lines().Get(0), "abcxdef");
    EXPECT_TRUE(memo.Model().SelectionEmpty());
    memo.Settings().DelErase = true;
    memo.Model().SetSelection({1, 0}, {3, 0});
    memo.Type("y");
    EXPECT_EQ(memo.Lines().Get(0), "ayxdef");
    memo.Model().SetSelection({0, 0}, {2, 0});
    memo.Key(VK_DELETE);
    EXPECT_EQ(memo.Lines().Get(0), "xdef");
    memo.Model().SetSelection({1, 0}, {3, 0});
    memo.Key(VK_BACK);
    EXPECT_EQ(memo.Lines().Get(0), "xf");
}

TEST(Keyboard, CtrlBackspaceDeletesTheWordLeftOfTheCaretAsOneRecord) {
    TModelEditor memo("one two three");
    memo.Go(7, 0);
    memo.Key(VK_BACK, kCtrl);
    EXPECT_EQ(memo.Lines().Get(0), "one  three");
    EXPECT_EQ(memo.Editing().UndoList().Count(), 1);
    memo.Go(3, 0);
    memo.Key(VK_BACK, kCtrl);
    memo.Key(VK_BACK, kCtrl); // at column 0 the line break stays for the next press
    EXPECT_EQ(memo.Text(), "  three");
    memo.Lines().SetText("x\r\nab");
    memo.Go(2, 1);
    memo.Key(VK_BACK, kCtrl); // a word that starts the line goes whole
    EXPECT_EQ(memo.Text(), "x|");
}

TEST(Keyboard, ReadOnlyBlocksEditingAndSelectAllButCopiesAndMoves) {
    TModelEditor memo("abc\r\ndef");
    memo.Settings().ReadOnly = true;
    memo.Go(1, 0);
    memo.Key(VK_RIGHT, kShift);
    memo.CtrlKey('A');
    EXPECT_EQ(memo.Model().GetSelectedText(), "b");
    memo.Clipboard.reset();
    memo.CtrlKey('C');
    EXPECT_EQ(memo.Clipboard, "b");
    memo.Type("x\n\b");
    memo.Key(VK_DELETE);
    memo.CtrlKey('V');
    EXPECT_EQ(memo.Text(), "abc|def");
    memo.Settings().ReadOnly = false;
    memo.CtrlKey('A');
    EXPECT_EQ(memo.Model().GetSelectedText(), "abc\r\ndef");
}

TEST(Keyboard, TypedUtf8BytesAreOneRecordAndCopyAsText) {
    TModelEditor memo;
    memo.Type("\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(memo.Lines().Get(0), "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(memo.Model().CaretX(), 5);
    EXPECT_EQ(memo.Editing().UndoList().Count(), 1);
    memo.Key(VK_HOME, kShift);
    memo.CtrlKey('X');
    EXPECT_EQ(memo.Clipboard, "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(memo.Lines().Get(0), "");
}

TEST(Keyboard, CtrlSpaceTypesNoSpaceWhileCompletionIsOn) {
    TModelEditor memo("ab");
    memo.Go(2, 0);
    memo.Key(VK_SPACE, kCtrl);
    memo.Char(' ');
    EXPECT_EQ(memo.Text(), "ab");
    memo.Key(VK_SPACE); // the next key lets its character in again
    memo.Char(' ');
    EXPECT_EQ(memo.Text(), "ab ");
    memo.AutoCompletionActive = false;
    memo.Key(VK_SPACE, kCtrl);
    memo.Char(' ');
    EXPECT_EQ(memo.Text(), "ab  ");
    // "." and "(" start the completion timer; other characters do not.
    memo.Type("x.y(");
    EXPECT_EQ(memo.CompletionTimerStarts, 2);
}

} // namespace
