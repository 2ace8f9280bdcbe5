#include "memo/model/CaretState.h"

#include <algorithm>

std::pair<TPoint, TPoint> OrderedSelection(const TCaretState& state) {
    TPoint first = state.SelStart;
    TPoint last = state.SelEnd;
    if (last.Y < first.Y || (last.Y == first.Y && last.X < first.X))
        std::swap(first, last);
    return {first, last};
}

void ShiftBookmarks(std::array<int, TCaretState::kBookmarkCount>& bookmarks, int line, int count) {
    for (int& mark : bookmarks) {
        if (mark >= line)
            mark = std::max(-1, mark + count);
    }
}

void FollowChange(TCaretState& state, const core::LineChange& change, int lineCount) {
    if (change.replacedAll) {
        state.Bookmarks.fill(-1);
        if (lineCount > 0) {
            state.Caret = {0, 0};
            state.ResetSelection();
        }
        return;
    }
    const int kept = std::min(change.removed, change.added);
    const int delta = change.added - change.removed;
    if (delta != 0) {
        // Lines at or after the first one not changed in place moved by delta.
        const int moved = change.first + kept;
        ShiftBookmarks(state.Bookmarks, moved, delta);
        int& line = state.Caret.Y;
        if (lineCount > 0) {
            if (line >= moved + std::max(0, -delta))
                line += delta;
            else if (line >= moved)
                line = moved; // its own line went: the one that took its place
            line = std::clamp(line, 0, lineCount - 1);
            state.ResetSelection();
        }
    }
    for (int& mark : state.Bookmarks) {
        if (mark >= lineCount)
            mark = -1;
    }
}
