#include <gtest/gtest.h>

#include <QPlainTextEdit>

#include <span>
#include <string>
#include <vector>

#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/qt/Native.h"

namespace {

class MemoTest : public testing::Test {
protected:
    MemoTest() : memo(&form) {
        form.SetClientSize(300, 200);
        memo.SetBounds(10, 10, 200, 100);
    }
    TForm form;
    TMemo memo;
};

} // namespace

TEST_F(MemoTest, DefaultsOfThePlainTextBox) {
    EXPECT_EQ(memo.ScrollBars(), TScrollStyle::ssNone);
    EXPECT_TRUE(memo.WordWrap());
    EXPECT_FALSE(memo.ReadOnly());
    EXPECT_EQ(memo.Color(), clWindow);
    auto* edit = static_cast<QPlainTextEdit*>(WidgetOf(memo));
    EXPECT_EQ(edit->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    memo.SetScrollBars(TScrollStyle::ssVertical);
    EXPECT_EQ(edit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(edit->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    memo.SetWordWrap(false);
    EXPECT_EQ(edit->lineWrapMode(), QPlainTextEdit::NoWrap);
}

TEST_F(MemoTest, SetEntriesShowsEachEntryOnALine) {
    const std::vector<std::string_view> entries = {"alpha", "", "caf\xE9", "\xC3\xBC", "x\xA0y"};
    memo.SetEntries(entries);
    EXPECT_EQ(memo.EntryCount(), 5u);
    // Each entry is judged on its own: the 1252 byte does not spoil its UTF-8 neighbour,
    // and a no-break space stays one.
    EXPECT_EQ(memo.Text(), "alpha\n\ncaf\xC3\xA9\n\xC3\xBC\nx\xC2\xA0y");
    memo.Clear();
    EXPECT_EQ(memo.EntryCount(), 0u);
    EXPECT_EQ(memo.Text(), "");
}

TEST_F(MemoTest, AppendKeepsEmptyFirstEntries) {
    memo.Append("");
    memo.Append("");
    memo.Append("b");
    EXPECT_EQ(memo.EntryCount(), 3u);
    EXPECT_EQ(memo.Text(), "\n\nb");
    memo.Clear();
    memo.Append("a");
    EXPECT_EQ(memo.Text(), "a");
}

TEST_F(MemoTest, SelectAllSelectsEveryLine) {
    const std::vector<std::string_view> entries = {"one", "two", "three"};
    memo.SetEntries(entries);
    EXPECT_EQ(memo.SelText(), "");
    memo.SelectAll();
    EXPECT_EQ(memo.SelText(), "one\ntwo\nthree");
}

TEST_F(MemoTest, MouseMoveOverTheTextAreaFiresOnMouseMove) {
    const std::vector<std::string_view> entries = {"one", "two"};
    memo.SetEntries(entries);
    int moves = 0;
    TPoint at;
    memo.OnMouseMove = [&](TObject* sender, TShiftState, int x, int y) {
        EXPECT_EQ(sender, &memo);
        at = {x, y};
        ++moves;
        memo.SelectAll();
    };
    memo.PerformMouseMove({}, 40, 30);
    EXPECT_EQ(moves, 1);
    EXPECT_EQ(at, (TPoint{40, 30})); // client coordinates, though the viewport took it
    EXPECT_EQ(memo.SelText(), "one\ntwo");
}

TEST_F(MemoTest, MemoInAPanelGetsItsOwnMovesOnly) {
    TPanel panel(&form);
    TMemo inner(&panel);
    inner.SetBounds(5, 5, 50, 50);
    int panelMoves = 0, memoMoves = 0;
    panel.OnMouseMove = [&](TObject*, TShiftState, int, int) { ++panelMoves; };
    inner.OnMouseMove = [&](TObject*, TShiftState, int, int) { ++memoMoves; };
    inner.PerformMouseMove({}, 10, 10);
    EXPECT_EQ(memoMoves, 1);
    EXPECT_EQ(panelMoves, 0);
}

// The speed of a million entries is measured by bench/PaneBench.cpp.
TEST_F(MemoTest, SetEntriesMakesOneLinePerEntryEmptyOnesIncluded) {
    std::vector<std::string> lines;
    for (int i = 0; i < 1000; ++i)
        lines.push_back(i % 10 == 9 ? std::string() : "entry no " + std::to_string(i));
    lines.push_back(""); // a last empty entry is a line of its own
    std::vector<std::string_view> entries(lines.begin(), lines.end());
    memo.SetEntries(entries);
    EXPECT_EQ(memo.EntryCount(), 1001u);
    EXPECT_EQ(static_cast<QPlainTextEdit*>(WidgetOf(memo))->document()->blockCount(), 1001);
    memo.SetEntries(std::span<const std::string_view>(entries).first(3)); // replaces, not adds
    EXPECT_EQ(memo.EntryCount(), 3u);
    EXPECT_EQ(memo.Text(), "entry no 0\nentry no 1\nentry no 2");
}
