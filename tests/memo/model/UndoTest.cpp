// Undo and redo of the editor's operations: what merges, what links, the limit, and that
// undoing gives back the exact bytes.

#include <gtest/gtest.h>

#include "memo/model/MemoUndo.h"
#include "tests/memo/model/ModelEditor.h"

namespace {

TEST(Undo, TypingRunsMergeUntilTheCaretMoves) {
    TModelEditor memo;
    memo.Type("ab");
    memo.Key(VK_LEFT);
    memo.Type("c");
    EXPECT_EQ(memo.Lines().Get(0), "acb");
    EXPECT_EQ(memo.Editing().UndoList().Count(), 2);
    memo.CtrlKey('Z');
    EXPECT_EQ(memo.Lines().Get(0), "ab");
    memo.CtrlKey('Z');
    EXPECT_EQ(memo.Lines().Get(0), "");
    EXPECT_FALSE(memo.Editing().UndoList().CanUndo());
    memo.Key(VK_BACK, {.Shift = true, .Alt = true}); // redo
    EXPECT_EQ(memo.Lines().Get(0), "ab");
}

TEST(Undo, BackspaceAndDeleteRunsAreOneRecordEach) {
    TModelEditor memo("abcdef");
    memo.Go(6, 0);
    memo.Type("\b\b\b");
    ASSERT_EQ(memo.Editing().UndoList().Count(), 1);
    EXPECT_EQ(memo.Editing().UndoList().Item(0).Text, "def");
    memo.Key(VK_BACK, {.Alt = true}); // undo
    EXPECT_EQ(memo.Lines().Get(0), "abcdef");
    EXPECT_EQ(memo.Model().CaretX(), 6);

    memo.Go(2, 0);
    memo.Key(VK_DELETE);
    memo.Key(VK_DELETE);
    EXPECT_EQ(memo.Lines().Get(0), "abef");
    EXPECT_EQ(memo.Editing().UndoList().Count(), 1); // the undone Backspaces went
    memo.CtrlKey('Z');
    EXPECT_EQ(memo.Lines().Get(0), "abcdef");
    EXPECT_EQ(memo.Model().CaretX(), 2);
}

TEST(Undo, PasteOverASelectionUndoesInOneStepAndReselects) {
    TModelEditor memo("one two three");
    memo.Clipboard = "2\r\n2";
    memo.Model().SetSelection({4, 0}, {7, 0});
    memo.CtrlKey('V');
    EXPECT_EQ(memo.Text(), "one 2|2 three");
    memo.CtrlKey('Z');
    EXPECT_EQ(memo.Text(), "one two three");
    EXPECT_EQ(memo.Model().GetSelectedText(), "two");
    memo.CtrlKey('Y');
    EXPECT_EQ(memo.Text(), "one 2|2 three");
    EXPECT_FALSE(memo.Editing().UndoList().CanRedo());
    // With room for one record the replaced text's record is gone: the paste undoes alone.
    memo.Editing().SetUndoLimit(1);
    memo.Model().SetSelection({0, 0}, {3, 0});
    memo.CtrlKey('V');
    EXPECT_EQ(memo.Editing().UndoList().Count(), 1);
    memo.CtrlKey('Z');
    EXPECT_EQ(memo.Text(), " 2|2 three");
}

TEST(Undo, PasteSplitsLinesAtEveryKindOfBreak) {
    TModelEditor memo("XY");
    memo.Go(1, 0);
    memo.Clipboard = "a\r\nb\r\n";
    memo.CtrlKey('V');
    EXPECT_EQ(memo.Text(), "Xa|b|Y");
    EXPECT_EQ(memo.Model().Caret().Caret, (TPoint{0, 2}));
    memo.Clipboard = "c\nd\re\tf";
    memo.CtrlKey('V');
    EXPECT_EQ(memo.Text(), "Xa|b|c|d|e    fY");
    memo.Key(VK_LEFT, kShift); // the selection starts afresh at the caret
    EXPECT_EQ(memo.Model().GetSelectedText(), "f");
    memo.CtrlKey('Z');
    memo.CtrlKey('Z');
    EXPECT_EQ(memo.Text(), "XY");
}

TEST(Undo, TypingAfterAnUndoDropsTheRedo) {
    TModelEditor memo;
    memo.Type("x");
    memo.CtrlKey('Z');
    memo.Type("y");
    EXPECT_EQ(memo.Editing().UndoList().Count(), 1);
    EXPECT_FALSE(memo.Editing().UndoList().CanRedo());
    memo.CtrlKey('Y');
    EXPECT_EQ(memo.Lines().Get(0), "y");
}

TEST(Undo, TheLimitDropsTheOldestAndANewLimitEmptiesTheList) {
    TModelEditor memo;
    for (int i = 0; i < 101; ++i) {
        memo.Type("x");
        memo.Key(VK_LEFT); // separate records
    }
    EXPECT_EQ(memo.Editing().UndoList().Count(), 100);
    EXPECT_EQ(memo.Notices(TEditorNotice::UndoChange), 101);
    for (int i = 0; i < 100; ++i)
        memo.Editing().Undo();
    EXPECT_EQ(memo.Lines().Get(0), "x"); // the first one stays
    EXPECT_FALSE(memo.Editing().UndoList().CanUndo());
    memo.Editing().SetUndoLimit(0);
    EXPECT_EQ(memo.Editing().UndoLimit(), 1);
    EXPECT_EQ(memo.Editing().UndoList().Count(), 0);
    memo.Type("ab");
    memo.Key(VK_LEFT);
    memo.Type("c");
    EXPECT_EQ(memo.Editing().UndoList().Count(), 1);
    memo.Editing().SetUndoLimit(500);
    EXPECT_EQ(memo.Editing().UndoLimit(), 100);
    EXPECT_EQ(memo.Editing().UndoList().Limit(), 100);
}

TEST(Undo, InsertKeyTogglesOverwriteModeAndUndoReturnsToInsertMode) {
    TModelEditor memo("abcdefgh");
    memo.Key(VK_INSERT);
    EXPECT_TRUE(memo.Model().Caret().OverwriteMode);
    memo.Type("xy");
    EXPECT_EQ(memo.Lines().Get(0), "xycdefgh");
    memo.Key(VK_LEFT, kShift);
    memo.Key(VK_TAB); // inside the line a Tab only moves the caret on
    EXPECT_EQ(memo.Lines().Get(0), "xycdefgh");
    EXPECT_EQ(memo.Model().CaretX(), 5);
    EXPECT_TRUE(memo.Model().SelectionEmpty());
    memo.Key(VK_RIGHT);
    memo.Key(VK_TAB); // near the end it appends what reaches 4 columns on
    EXPECT_EQ(memo.Lines().Get(0), "xycdefgh  ");
    EXPECT_EQ(memo.Model().CaretX(), 10);
    for (int i = 0; i < 3; ++i)
        memo.CtrlKey('Z');
    EXPECT_EQ(memo.Lines().Get(0), "abcdefgh");
    memo.CtrlKey('Z');
    EXPECT_FALSE(memo.Model().Caret().OverwriteMode);
    memo.AllowOverwrite = false;
    memo.Key(VK_INSERT);
    EXPECT_FALSE(memo.Model().Caret().OverwriteMode);
}

TEST(Undo, ANewWholeTextEmptiesTheListAndModifiedFollowsIt) {
    // Records kept past a clear would replay against an empty list: "abc", clear, Ctrl+Z
    // gave one line of three spaces.
    TModelEditor memo;
    memo.Type("abc");
    EXPECT_TRUE(memo.Editing().Modified());
    memo.Lines().Clear();
    EXPECT_FALSE(memo.Editing().UndoList().CanUndo());
    memo.CtrlKey('Z');
    EXPECT_EQ(memo.Text(), ""); // the key puts the caret's empty line back, nothing more
    // The same after the store's own clear (a load that was cancelled) and a new text.
    memo.Type("abc");
    memo.Lines().ClearStore();
    EXPECT_FALSE(memo.Editing().UndoList().CanUndo());
    memo.Type("abc");
    memo.Lines().SetText("x");
    EXPECT_FALSE(memo.Editing().UndoList().CanUndo());
    memo.Type("y");
    memo.Editing().SetModified(true);
    EXPECT_TRUE(memo.Editing().UndoList().CanUndo());
    memo.Editing().SetModified(false);
    EXPECT_FALSE(memo.Editing().Modified());
}

TEST(Undo, AfterACaretMoveIntoVirtualSpaceUndoGivesTheTextBack) {
    // "alpha beta", Enter at column 0, Up, Right, Ctrl+Z gave " alpha beta".
    TModelEditor memo("alpha beta");
    memo.Go(0, 0);
    memo.Type("\n");
    memo.Key(VK_UP);
    memo.Key(VK_RIGHT);
    EXPECT_EQ(memo.Text(), "|alpha beta");
    memo.CtrlKey('Z');
    EXPECT_EQ(memo.Text(), "alpha beta");
    EXPECT_FALSE(memo.Editing().UndoList().CanUndo());
}

TEST(Undo, EnterThatDroppedSpacesUndoesWithTheTypingAfterItAndLeavesNoSelection) {
    // "abc def", Enter at column 3, Ctrl+Z, "x" gave "abcx".
    TModelEditor memo("abc def  ");
    memo.Go(3, 0);
    memo.Type("\n");
    EXPECT_EQ(memo.Text(), "abc|def");
    memo.CtrlKey('Z');
    EXPECT_EQ(memo.Text(), "abc def  ");
    EXPECT_EQ(memo.Model().Caret().Caret, (TPoint{3, 0}));
    EXPECT_TRUE(memo.Model().SelectionEmpty());
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
    EXPECT_EQ(memo.Model().Caret().Caret, (TPoint{2, 1}));
}

TEST(Undo, DeleteLineComesBackWhereItWas) {
    TModelEditor memo("a\r\nb\r\nc");
    memo.Go(0, 2);
    memo.Editing().DeleteLine();
    memo.Go(0, 0);
    memo.Editing().DeleteLine();
    EXPECT_EQ(memo.Text(), "b");
    memo.Editing().DeleteLine();
    EXPECT_EQ(memo.Text(), "");
    memo.Editing().Undo();
    memo.Editing().Undo();
    memo.Editing().Undo();
    EXPECT_EQ(memo.Text(), "a|b|c");
}

TEST(Undo, ALineDeletedThroughTheStoreUndoesAndTheCaretKeepsItsText) {
    TModelEditor memo("a\r\nb\r\nc\r\nd");
    memo.Go(1, 2); // on "c"
    memo.Lines().Delete(0);
    EXPECT_EQ(memo.Text(), "b|c|d");
    EXPECT_EQ(memo.Model().Caret().Caret, (TPoint{1, 1}));
    memo.Lines().Delete(2);
    EXPECT_EQ(memo.Model().Caret().Caret, (TPoint{1, 1}));
    memo.Lines().Delete(1); // its own line: the caret stands on the last line
    EXPECT_EQ(memo.Model().Caret().Caret, (TPoint{1, 0}));
    memo.Lines().Delete(0); // the only line is emptied
    EXPECT_EQ(memo.Model().Caret().Caret, (TPoint{0, 0}));
    for (int i = 0; i < 4; ++i)
        memo.Editing().Undo();
    EXPECT_EQ(memo.Text(), "a|b|c|d");
}

} // namespace
