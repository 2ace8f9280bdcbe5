// Caret, selection and bookmarks following changes of the text, without a widget.

#include <gtest/gtest.h>

#include "memo/model/CaretState.h"

namespace {

TCaretState At(int x, int y) {
    TCaretState s;
    s.Caret = {x, y};
    s.SelStart = {0, y};
    s.SelEnd = {x, y};
    return s;
}

TEST(CaretState, TheCaretStaysWithItsLine) {
    // Lines inserted or removed above move it; below, nothing moves.
    TCaretState s = At(3, 5);
    FollowChange(s, {2, 0, 2, false}, 12);
    EXPECT_EQ(s.Caret, (TPoint{3, 7}));
    FollowChange(s, {0, 3, 0, false}, 9);
    EXPECT_EQ(s.Caret, (TPoint{3, 4}));
    FollowChange(s, {5, 2, 0, false}, 7);
    EXPECT_EQ(s.Caret, (TPoint{3, 4}));
    // Inserted at its own line, the line moves down and the caret with it.
    FollowChange(s, {4, 0, 1, false}, 8);
    EXPECT_EQ(s.Caret.Y, 5);
}

TEST(CaretState, ItsOwnLineGoneItTakesTheNextOrTheLast) {
    TCaretState s = At(2, 3);
    FollowChange(s, {2, 3, 0, false}, 7);
    EXPECT_EQ(s.Caret, (TPoint{2, 2}));
    // The last line deleted under it: on the new last line, never past the end.
    s = At(2, 3);
    FollowChange(s, {3, 1, 0, false}, 3);
    EXPECT_EQ(s.Caret, (TPoint{2, 2}));
    // One line left: the caret is on it.
    s = At(2, 3);
    FollowChange(s, {1, 3, 0, false}, 1);
    EXPECT_EQ(s.Caret, (TPoint{2, 0}));
    // No line left: it waits where it was for a line to come back.
    s = At(2, 3);
    FollowChange(s, {0, 4, 0, false}, 0);
    EXPECT_EQ(s.Caret, (TPoint{2, 3}));
}

TEST(CaretState, OnlyLinesComingOrGoingCollapseTheSelection) {
    TCaretState s = At(4, 1);
    FollowChange(s, {1, 1, 1, false}, 3); // a line replaced in place
    EXPECT_FALSE(s.SelectionEmpty());
    FollowChange(s, {0, 0, 1, false}, 4);
    EXPECT_TRUE(s.SelectionEmpty());
    EXPECT_EQ(s.SelStart, (TPoint{4, 2}));
}

TEST(CaretState, ANewTextStartsAtTheTopWithoutBookmarks) {
    TCaretState s = At(4, 6);
    s.Bookmarks[3] = 2;
    FollowChange(s, {0, 9, 5, true}, 5);
    EXPECT_EQ(s.Caret, (TPoint{0, 0}));
    EXPECT_TRUE(s.SelectionEmpty());
    EXPECT_EQ(s.Bookmarks[3], -1);
    // Emptied altogether, the caret stays for the store's next line.
    s = At(4, 6);
    FollowChange(s, {0, 9, 0, true}, 0);
    EXPECT_EQ(s.Caret, (TPoint{4, 6}));
}

TEST(CaretState, BookmarksMoveWithTheirLinesAndDropPastTheEnd) {
    TCaretState s;
    s.Bookmarks = {0, 1, 2, 3, 4, 5, -1, -1, -1, -1};
    FollowChange(s, {2, 1, 0, false}, 5); // line 2 deleted: 2 goes to 1, the rest up by one
    EXPECT_EQ(s.Bookmarks[0], 0);
    EXPECT_EQ(s.Bookmarks[1], 1);
    EXPECT_EQ(s.Bookmarks[2], 1);
    EXPECT_EQ(s.Bookmarks[3], 2);
    EXPECT_EQ(s.Bookmarks[5], 4);
    FollowChange(s, {0, 0, 2, false}, 7);
    EXPECT_EQ(s.Bookmarks[0], 2);
    FollowChange(s, {3, 1, 1, false}, 7); // in place: nothing moves
    EXPECT_EQ(s.Bookmarks[5], 6);
    FollowChange(s, {5, 2, 0, false}, 5);
    EXPECT_EQ(s.Bookmarks[5], 4);
    s.Bookmarks[9] = 5; // past the end of five lines
    FollowChange(s, {1, 1, 1, false}, 5);
    EXPECT_EQ(s.Bookmarks[9], -1);
    EXPECT_EQ(s.Bookmarks[5], 4);
}

TEST(CaretState, OrderedSelectionPutsTheEarlierEndFirst) {
    TCaretState s;
    s.SelStart = {5, 2};
    s.SelEnd = {1, 2};
    EXPECT_EQ(OrderedSelection(s), std::make_pair(TPoint{1, 2}, TPoint{5, 2}));
    s.SelEnd = {9, 1};
    EXPECT_EQ(OrderedSelection(s).first, (TPoint{9, 1}));
    s.SelStart = {1, 2}; // already in order on one line: kept
    s.SelEnd = {5, 2};
    EXPECT_EQ(OrderedSelection(s), std::make_pair(TPoint{1, 2}, TPoint{5, 2}));
}

} // namespace
