// The model's caret rules: columns in virtual space or clamped, lines clamped, steps over whole
// characters, trailing spaces trimmed behind the caret.

#include <gtest/gtest.h>

#include "memo/model/SelectionText.h"
#include "tests/memo/model/ModelEditor.h"

namespace {

TEST(Editor, CaretColumnClampsToTheLineWithoutAutoExpand) {
    TModelEditor memo;
    memo.Settings().AutoExpand = false;
    memo.Lines().SetText("abc\r\nlonger line");
    memo.Model().SetCaretY(1);
    memo.Model().SetCaretX(8);
    memo.Model().SetCaretY(0); // a vertical move keeps the column in virtual space
    EXPECT_EQ(memo.Model().CaretX(), 8);
    memo.Model().SetCaretX(20);
    EXPECT_EQ(memo.Model().CaretX(), 3);
    EXPECT_EQ(memo.Lines().Get(0), "abc");
}

TEST(Editor, AutoExpandLetsTheCaretStandBeyondTheEndAndTypingThereUndoesWhole) {
    TModelEditor memo;
    memo.Settings().AutoExpand = true;
    memo.Lines().Put(0, "ab");
    memo.Model().SetCaretX(5);
    EXPECT_EQ(memo.Model().CaretX(), 5);
    EXPECT_EQ(memo.Lines().Get(0), "ab"); // moving the caret changes no text
    memo.Editing().InsertChar('x');
    EXPECT_EQ(memo.Lines().Get(0), "ab   x");
    memo.Editing().Undo();
    EXPECT_EQ(memo.Lines().Get(0), "ab");
    EXPECT_FALSE(memo.Editing().UndoList().CanUndo());
    memo.Editing().Redo();
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
    TModelEditor memo;
    memo.Lines().SetText("first\r\nsecond");
    memo.Model().SetCaretY(1);
    memo.Model().SetCaretX(-1);
    EXPECT_EQ(memo.Model().CaretY(), 0);
    EXPECT_EQ(memo.Model().CaretX(), 5);
    memo.Model().SetCaretX(-3); // on the first line there is no line above
    EXPECT_EQ(memo.Model().CaretX(), 0);
}

TEST(Editor, CaretLineClampsToTheStore) {
    TModelEditor memo;
    memo.Lines().SetText("a\r\nb");
    memo.Model().SetCaretY(10);
    EXPECT_EQ(memo.Model().CaretY(), 1);
    memo.Model().SetCaretY(-3);
    EXPECT_EQ(memo.Model().CaretY(), 0);
}

TEST(Editor, SelectionQuestionsAndSelectAllAnswerFromTheText) {
    TModelEditor memo("ab\r\ncd");
    const int columns = memo.Notices(TEditorNotice::ColumnChange);
    memo.Model().SetCaretX(1);
    EXPECT_EQ(memo.Notices(TEditorNotice::ColumnChange), columns + 1);
    memo.Model().SetSelection({2, 0}, {0, 1}); // the line break alone
    EXPECT_TRUE(memo.Model().SelectionHasText());
    memo.Model().SetSelection({5, 0}, {7, 0}); // virtual space only
    EXPECT_FALSE(memo.Model().SelectionHasText());
    memo.Model().SetSelection({0, 1}, {1, 1});
    EXPECT_TRUE(memo.Model().SelectionHasText());
    memo.Lines().SetText("only");
    memo.CtrlKey('A');
    EXPECT_EQ(memo.Model().GetSelectedText(), "only");
}

TEST(Editor, TrailingSpacesGoWhenTheCaretLeavesTheLine) {
    TModelEditor memo;
    memo.Model().SetTrimTrailingSpaces(true);
    memo.Lines().SetText("abc   \r\nx  \r\n  ");
    memo.Model().SetCaretY(1);
    EXPECT_EQ(memo.Lines().Get(0), "abc");
    EXPECT_EQ(memo.Lines().LineLength(0), 3);
    EXPECT_EQ(memo.Lines().Get(1), "x  "); // the caret's own line keeps them
    memo.Model().SetCaretY(2);
    EXPECT_EQ(memo.Lines().Get(1), "x");
    memo.Model().SetCaretY(0);
    EXPECT_EQ(memo.Lines().Get(2), "");
    // Without the setting nothing is trimmed.
    memo.Model().SetTrimTrailingSpaces(false);
    memo.Lines().Put(0, "keep  ");
    memo.Model().SetCaretY(1);
    EXPECT_EQ(memo.Lines().Get(0), "keep  ");
}

TEST(Editor, DeletingTheCaretsLastLineMovesTheCaretUp) {
    TModelEditor memo;
    memo.Lines().SetText("a\r\nb\r\nc");
    memo.Model().SetCaretY(2);
    memo.Editing().DeleteLine();
    ASSERT_EQ(memo.Lines().Count(), 2);
    EXPECT_EQ(memo.Model().CaretY(), 1);
    EXPECT_EQ(memo.Model().Caret().SelStart, (TPoint{0, 1}));
    memo.Lines().SetText("only");
    memo.Model().SetSelection({0, 0}, {3, 0});
    memo.Editing().DeleteLine();
    EXPECT_EQ(memo.Lines().Count(), 1);
    EXPECT_EQ(memo.Lines().Get(0), "");
    EXPECT_TRUE(memo.Model().SelectionEmpty());
}

} // namespace
