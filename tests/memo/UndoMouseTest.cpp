// Undo and redo of the editor's operations, and the editor under the mouse: placing,
// selecting, word selection, dragging, the context menu and the clipboard.

#include <gtest/gtest.h>

#include "memo/model/MemoUndo.h"
#include "platform/Clipboard.h"
#include "platform/Menus.h"
#include "tests/memo/MemoInput.h"

namespace {

TEST(Undo, TypingRunsMergeUntilTheCaretMoves) {
    TInputMemo memo;
    memo.Type("ab");
    memo.Key(VK_LEFT);
    memo.Type("c");
    EXPECT_EQ(memo.Lines().Get(0), "acb");
    EXPECT_EQ(memo.UndoList().Count(), 2);
    memo.CtrlKey('Z');
    EXPECT_EQ(memo.Lines().Get(0), "ab");
    memo.CtrlKey('Z');
    EXPECT_EQ(memo.Lines().Get(0), "");
    EXPECT_FALSE(memo.CanUndo());
    memo.Key(VK_BACK, {.Shift = true, .Alt = true}); // redo
    EXPECT_EQ(memo.Lines().Get(0), "ab");
}

TEST(Undo, BackspaceAndDeleteRunsAreOneRecordEach) {
    TInputMemo memo("abcdef");
    memo.Go(6, 0);
    memo.Type("\b\b\b");
    ASSERT_EQ(memo.UndoList().Count(), 1);
    EXPECT_EQ(memo.UndoList().Item(0).Text, "def");
    memo.Key(VK_BACK, {.Alt = true}); // undo
    EXPECT_EQ(memo.Lines().Get(0), "abcdef");
    EXPECT_EQ(memo.CaretX(), 6);

    memo.Go(2, 0);
    memo.Key(VK_DELETE);
    memo.Key(VK_DELETE);
    EXPECT_EQ(memo.Lines().Get(0), "abef");
    EXPECT_EQ(memo.UndoList().Count(), 1); // the undone Backspaces went
    memo.CtrlKey('Z');
    EXPECT_EQ(memo.Lines().Get(0), "abcdef");
    EXPECT_EQ(memo.CaretX(), 2);
}

TEST(Undo, PasteOverASelectionUndoesInOneStepAndReselects) {
    TInputMemo memo("one two three");
    SetClipboardText("2\r\n2");
    memo.SetSelection({4, 0}, {7, 0});
    memo.CtrlKey('V');
    EXPECT_EQ(memo.Text(), "one 2|2 three");
    memo.CtrlKey('Z');
    EXPECT_EQ(memo.Text(), "one two three");
    EXPECT_EQ(memo.GetSelectedText(), "two");
    memo.CtrlKey('Y');
    EXPECT_EQ(memo.Text(), "one 2|2 three");
    EXPECT_FALSE(memo.CanRedo());
    // With room for one record the replaced text's record is gone: the paste undoes alone.
    memo.SetUndoLimit(1);
    memo.SetSelection({0, 0}, {3, 0});
    memo.CtrlKey('V');
    EXPECT_EQ(memo.UndoList().Count(), 1);
    memo.CtrlKey('Z');
    EXPECT_EQ(memo.Text(), " 2|2 three");
}

TEST(Undo, PasteSplitsLinesAtEveryKindOfBreak) {
    TInputMemo memo("XY");
    memo.Go(1, 0);
    SetClipboardText("a\r\nb\r\n");
    memo.CtrlKey('V');
    EXPECT_EQ(memo.Text(), "Xa|b|Y");
    EXPECT_EQ(memo.Caret().Caret, (TPoint{0, 2}));
    SetClipboardText("c\nd\re\tf");
    memo.CtrlKey('V');
    EXPECT_EQ(memo.Text(), "Xa|b|c|d|e    fY");
    memo.Key(VK_LEFT, kShift); // the selection starts afresh at the caret
    EXPECT_EQ(memo.GetSelectedText(), "f");
    memo.CtrlKey('Z');
    memo.CtrlKey('Z');
    EXPECT_EQ(memo.Text(), "XY");
}

TEST(Undo, TypingAfterAnUndoDropsTheRedo) {
    TInputMemo memo;
    memo.Type("x");
    memo.CtrlKey('Z');
    memo.Type("y");
    EXPECT_EQ(memo.UndoList().Count(), 1);
    EXPECT_FALSE(memo.CanRedo());
    memo.CtrlKey('Y');
    EXPECT_EQ(memo.Lines().Get(0), "y");
}

TEST(Undo, TheLimitDropsTheOldestAndANewLimitEmptiesTheList) {
    TInputMemo memo;
    int changes = 0;
    memo.OnUndoChange = [&](TObject*, bool, bool) { ++changes; };
    for (int i = 0; i < 101; ++i) {
        memo.Type("x");
        memo.Key(VK_LEFT); // separate records
    }
    EXPECT_EQ(memo.UndoList().Count(), 100);
    EXPECT_EQ(changes, 101);
    for (int i = 0; i < 100; ++i)
        memo.Undo();
    EXPECT_EQ(memo.Lines().Get(0), "x"); // the first one stays
    EXPECT_FALSE(memo.CanUndo());
    memo.SetUndoLimit(0);
    EXPECT_EQ(memo.UndoLimit(), 1);
    EXPECT_EQ(memo.UndoList().Count(), 0);
    memo.Type("ab");
    memo.Key(VK_LEFT);
    memo.Type("c");
    EXPECT_EQ(memo.UndoList().Count(), 1);
    memo.SetUndoLimit(500);
    EXPECT_EQ(memo.UndoLimit(), 100);
    EXPECT_EQ(memo.UndoList().Limit(), 100);
}

TEST(Undo, InsertKeyTogglesOverwriteModeAndUndoReturnsToInsertMode) {
    TInputMemo memo("abcdefgh");
    memo.Key(VK_INSERT);
    EXPECT_TRUE(memo.OverwriteMode());
    memo.Type("xy");
    EXPECT_EQ(memo.Lines().Get(0), "xycdefgh");
    memo.Key(VK_LEFT, kShift);
    memo.Key(VK_TAB); // inside the line a Tab only moves the caret on
    EXPECT_EQ(memo.Lines().Get(0), "xycdefgh");
    EXPECT_EQ(memo.CaretX(), 5);
    EXPECT_TRUE(memo.SelectionEmpty());
    memo.Key(VK_RIGHT);
    memo.Key(VK_TAB); // near the end it appends what reaches 4 columns on
    EXPECT_EQ(memo.Lines().Get(0), "xycdefgh  ");
    EXPECT_EQ(memo.CaretX(), 10);
    for (int i = 0; i < 3; ++i)
        memo.CtrlKey('Z');
    EXPECT_EQ(memo.Lines().Get(0), "abcdefgh");
    memo.CtrlKey('Z');
    EXPECT_FALSE(memo.OverwriteMode());
    memo.OnOverwriteToggle = [](TObject*, bool& allow) { allow = false; };
    memo.Key(VK_INSERT);
    EXPECT_FALSE(memo.OverwriteMode());
}

TEST(Undo, ANewWholeTextEmptiesTheListAndModifiedFollowsIt) {
    // Records kept past a clear would replay against an empty list: "abc", clear, Ctrl+Z
    // gave one line of three spaces.
    TInputMemo memo;
    memo.Type("abc");
    EXPECT_TRUE(memo.Modified());
    memo.Clear();
    EXPECT_FALSE(memo.CanUndo());
    memo.CtrlKey('Z');
    EXPECT_EQ(memo.Text(), ""); // the key puts the caret's empty line back, nothing more
    // The same after the store's own clear (a load that was cancelled) and a new text.
    memo.Type("abc");
    memo.Lines().ClearStore();
    EXPECT_FALSE(memo.CanUndo());
    memo.Type("abc");
    memo.Lines().SetText("x");
    EXPECT_FALSE(memo.CanUndo());
    memo.Type("y");
    memo.SetModified(true);
    EXPECT_TRUE(memo.CanUndo());
    memo.SetModified(false);
    EXPECT_FALSE(memo.Modified());
}

TEST(Undo, AfterACaretMoveIntoVirtualSpaceUndoGivesTheTextBack) {
    // "alpha beta", Enter at column 0, Up, Right, Ctrl+Z gave " alpha beta".
    TInputMemo memo("alpha beta");
    memo.Go(0, 0);
    memo.Type("\n");
    memo.Key(VK_UP);
    memo.Key(VK_RIGHT);
    EXPECT_EQ(memo.Text(), "|alpha beta");
    memo.CtrlKey('Z');
    EXPECT_EQ(memo.Text(), "alpha beta");
    EXPECT_FALSE(memo.CanUndo());
}

TEST(Undo, EnterThatDroppedSpacesUndoesWithTheTypingAfterItAndLeavesNoSelection) {
    // "abc def", Enter at column 3, Ctrl+Z, "x" gave "abcx".
    TInputMemo memo("abc def  ");
    memo.Go(3, 0);
    memo.Type("\n");
    EXPECT_EQ(memo.Text(), "abc|def");
    memo.CtrlKey('Z');
    EXPECT_EQ(memo.Text(), "abc def  ");
    EXPECT_EQ(memo.Caret().Caret, (TPoint{3, 0}));
    EXPECT_TRUE(memo.SelectionEmpty());
    memo.Type("x");
    EXPECT_EQ(memo.Text(), "abcx def  ");
    // Typing before and after Enter is one step; redo gives the edited bytes again.
    memo.CtrlKey('Z');
    memo.Type("12\n34");
    EXPECT_EQ(memo.Text(), "abc12|34def");
    memo.CtrlKey('Z');
    EXPECT_EQ(memo.Text(), "abc def  ");
    memo.CtrlKey('Y');
    EXPECT_EQ(memo.Text(), "abc12|34def");
    EXPECT_EQ(memo.Caret().Caret, (TPoint{2, 1}));
}

TEST(Undo, DeleteLineComesBackWhereItWas) {
    TInputMemo memo("a\r\nb\r\nc");
    memo.Go(0, 2);
    memo.DeleteLine();
    memo.Go(0, 0);
    memo.DeleteLine();
    EXPECT_EQ(memo.Text(), "b");
    memo.DeleteLine();
    EXPECT_EQ(memo.Text(), "");
    memo.Undo();
    memo.Undo();
    memo.Undo();
    EXPECT_EQ(memo.Text(), "a|b|c");
}

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
