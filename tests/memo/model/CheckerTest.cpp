// Corrections made as a key ends a word or a line: the memo checker's hooks and
// auto-correction, where they put the caret, and their undo and redo.

#include <gtest/gtest.h>

#include "tests/memo/model/FixedChecker.h"
#include "tests/memo/model/ModelEditor.h"

namespace {

using Checks = std::vector<std::string>;

TEST(Checker, EnterCorrectsAndChecksTheCaretLineAndUndoesWithTheCorrection) {
    TModelEditor memo("  helo wrld, wrld\r\nnext");
    TFixedChecker checker;
    checker.LineFrom = "wrld";
    checker.LineTo = "world";
    memo.Model().SetMemoChecker(&checker);
    memo.Go(6, 0);
    memo.Type("\n");
    // The corrected line stays whole: the caret went to its end, and Enter opened the next.
    EXPECT_EQ(memo.Text(), "  helo world, world|  |next");
    EXPECT_EQ(memo.Model().Caret().Caret, (TPoint{2, 1}));
    EXPECT_EQ(checker.Checks, Checks{"line 0 [  helo world, world]"});
    memo.CtrlKey('Z');
    EXPECT_EQ(memo.Text(), "  helo wrld, wrld|next");
    EXPECT_EQ(memo.Model().Caret().Caret, (TPoint{6, 0}));
    EXPECT_FALSE(memo.Editing().UndoList().CanUndo());
    memo.CtrlKey('Y');
    EXPECT_EQ(memo.Text(), "  helo world, world|  |next");
    EXPECT_EQ(memo.Model().Caret().Caret, (TPoint{2, 1}));
    // A correction that would break the line in two is not taken: Enter splits the line at
    // the caret, and undoes alone.
    checker.LineFrom = "ex";
    checker.LineTo = "e\r\nx";
    memo.Go(2, 2);
    memo.Type("\n");
    EXPECT_EQ(memo.Text(), "  helo world, world|  |ne|xt");
    EXPECT_EQ(checker.Checks.back(), "line 2 [next]");
    memo.CtrlKey('Z');
    EXPECT_EQ(memo.Text(), "  helo world, world|  |next");
}

TEST(Checker, SpaceAndTabCorrectTheWordBeforeTheCaretAndUndoWithTheirKey) {
    TModelEditor memo;
    TFixedChecker checker;
    checker.Words = {{"u", "you"}, {"thx", "thanks"}};
    memo.Model().SetMemoChecker(&checker);
    // "(" and "." end the word before the caret, though not the word at it.
    memo.Type("see(u ");
    EXPECT_EQ(memo.Text(), "see(you ");
    EXPECT_EQ(memo.Model().CaretX(), 8);
    memo.Type("a.thx");
    memo.Char('\t');
    EXPECT_EQ(memo.Text(), "see(you a.thanks");
    EXPECT_EQ(memo.Model().CaretX(), 16);
    memo.Char(' ');
    memo.Char(' '); // no word before the caret: nothing to check
    EXPECT_EQ(checker.Checks,
              (Checks{"word [you] at 7 in [see(you]", "word [thanks] at 16 in [see(you a.thanks]",
                      "word [thanks] at 16 in [see(you a.thanks]"}));
    // Each undo step gives back a text as it was typed; the space goes with its correction.
    const char* steps[] = {
        "see(you a.thanks  ", "see(you a.thanks", "see(you a.thx", "see(you ", "see(u", ""};
    for (const char* text : steps) {
        EXPECT_EQ(memo.Text(), text);
        memo.CtrlKey('Z');
    }
    EXPECT_EQ(memo.Text(), "");
    for (auto step = std::rbegin(steps); step != std::rend(steps); ++step) {
        EXPECT_EQ(memo.Text(), *step);
        memo.CtrlKey('Y');
    }
    EXPECT_EQ(memo.Text(), "see(you a.thanks  ");
    EXPECT_EQ(memo.Model().CaretX(), 18);
}

TEST(AutoCorrect, TheTypedWordComesBackWithOneUndoStep) {
    TModelEditor memo;
    memo.Settings().AutoCorrect.OldValue = {"teh"};
    memo.Settings().AutoCorrect.NewValue = {"the"};
    memo.Type("Teh teh");
    EXPECT_EQ(memo.Text(), "Teh teh"); // exact matches only
    memo.Type(" cat");
    EXPECT_EQ(memo.Text(), "Teh the cat");
    EXPECT_EQ(memo.Model().CaretX(), 11);
    memo.CtrlKey('Z');
    EXPECT_EQ(memo.Text(), "Teh the ");
    memo.CtrlKey('Z');
    EXPECT_EQ(memo.Text(), "Teh teh");
    EXPECT_EQ(memo.Model().CaretX(), 7);
    memo.CtrlKey('Y');
    EXPECT_EQ(memo.Text(), "Teh the ");
    EXPECT_EQ(memo.Model().CaretX(), 8);
}

TEST(AutoCorrect, CorrectsAfterTheCheckerAndBothUndoAsOneStep) {
    TModelEditor memo("x");
    TFixedChecker checker;
    checker.Words = {{"u", "you"}};
    memo.Model().SetMemoChecker(&checker);
    memo.Settings().AutoCorrect.OldValue = {"you"};
    memo.Settings().AutoCorrect.NewValue = {"thou"};
    memo.Go(1, 0);
    memo.Type(" u ");
    EXPECT_EQ(memo.Text(), "x thou ");
    EXPECT_EQ(checker.Checks, (Checks{"word [x] at 1 in [x]", "word [you] at 5 in [x you]"}));
    memo.CtrlKey('Z');
    EXPECT_EQ(memo.Text(), "x u");
    EXPECT_EQ(memo.Model().CaretX(), 3);
    memo.CtrlKey('Y');
    EXPECT_EQ(memo.Text(), "x thou ");
    EXPECT_EQ(memo.Model().CaretX(), 7);
}

} // namespace
