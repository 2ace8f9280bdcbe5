#pragma once
// Caret, selection and bookmarks as a value, with the rules that need no widget: how they
// follow a change of the text, and the selection in text order. The editor keeps one and
// undo records can keep one from before and after a change.

#include <array>
#include <utility>

#include "core/TextDocument.h"
#include "platform/Types.h"

struct TCaretState {
    static constexpr int kBookmarkCount = 10;

    TPoint Caret;    // CaretX, CaretY: the column may lie beyond the line's end
    TPoint SelStart; // the anchor
    TPoint SelEnd;   // the moving end
    TPoint Track;    // where the selection was last reset or extended: Shift+moves extend
                     // it only while the caret still stands there
    bool OverwriteMode = false; // typing replaces the character at the caret
    bool RegionsStale = false;  // a character was typed: regions are rebuilt on a line change
    std::array<int, kBookmarkCount> Bookmarks{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};

    bool SelectionEmpty() const { return SelStart == SelEnd; }
    /// Collapses the selection to the caret.
    void ResetSelection() { SelStart = SelEnd = Track = Caret; }
    friend bool operator==(const TCaretState&, const TCaretState&) = default;
};

/// The selection's ends in text order: first, last.
std::pair<TPoint, TPoint> OrderedSelection(const TCaretState& state);

/// Keeps the bookmarks on their text when `count` lines are inserted (count > 0) or removed
/// (count < 0) at `line`: a bookmark at or after `line` moves by `count`, never below -1.
void ShiftBookmarks(std::array<int, TCaretState::kBookmarkCount>& bookmarks, int line, int count);

/// Lets the state follow a change of the text, `lineCount` lines long afterwards:
/// - a whole new text puts the caret at the start and drops the bookmarks;
/// - lines inserted or removed above the caret move it with its line; when its own line
///   went, it stands on the line that took its place, or on the last line;
/// - bookmarks move with their lines; those past the end are dropped;
/// - inserting or removing lines collapses the selection at the caret; a line changed in
///   place keeps it.
/// With no line left, the caret stays where it is until a line comes back.
void FollowChange(TCaretState& state, const core::LineChange& change, int lineCount);
