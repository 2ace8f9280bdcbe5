#pragma once
// The list editor: a custom-drawn control over its own line store.
//
// TAdvCustomMemo is the facade that keeps the names the behaviour speaks in (CaretX,
// SetCaretY, ResetSelection, TopLine...). Its concerns live in files of their own: the line
// store (AdvMemoStrings), caret and selection rules (MemoCaret.cpp), the view (MemoView.cpp).
// The view still shows plain rows of text; the gutter, scroll bars, keyboard and editing
// build on the seams kept here.

#include <array>
#include <memory>
#include <string>

#include "memo/AdvMemoStrings.h"
#include "platform/Controls.h"

class TAdvCustomMemo : public TCustomControl {
public:
    explicit TAdvCustomMemo(TWinControl* parent);
    ~TAdvCustomMemo() override;

    // --- text ---
    TAdvMemoStrings& Lines() { return *lines_; }
    const TAdvMemoStrings& Lines() const { return *lines_; }
    /// Clear, AddStrings(list); with TrimTrailingSpaces every line loses its trailing spaces;
    /// then the selection-changed notification and a repaint.
    void SetLines(const TStrings& list);
    int TabSize() const { return tabSize_; }
    void SetTabSize(int value);
    bool TrimTrailingSpaces() const { return trimTrailingSpaces_; }
    void SetTrimTrailingSpaces(bool value) { trimTrailingSpaces_ = value; }
    bool AutoExpand() const { return autoExpand_; }
    void SetAutoExpand(bool value) { autoExpand_ = value; }
    /// The greatest line length in characters, used for horizontal scrolling.
    int LongestLine() const { return longestLine_; }
    void SetLongestLine(int value) { longestLine_ = value; }

    /// The editor's clear operation: the store ends with 0 lines, caret, selection and scroll
    /// position at the start; the undo list is kept.
    void Clear();

    // --- caret and selection ---
    int CaretX() const { return caretX_; }
    int CaretY() const { return caretY_; }
    void SetCaretX(int column);
    void SetCaretY(int line);
    /// Sets the caret fields without any of the caret rules (used to restore a remembered
    /// caret after the store moved lines under it).
    void RestoreCaret(int column, int line);
    TPoint SelStart() const { return selStart_; }
    TPoint SelEnd() const { return selEnd_; }
    void SetSelection(TPoint start, TPoint end);
    bool SelectionEmpty() const { return selStart_ == selEnd_; }
    /// Collapses the selection to the caret.
    void ResetSelection();
    /// Deletes the caret line (a store of one line keeps one empty line).
    void DeleteLine();

    // --- bookmarks ---
    static constexpr int kBookmarkCount = 10;
    int Bookmark(int slot) const { return bookmarks_[static_cast<std::size_t>(slot)]; }
    void SetBookmark(int slot, int line) { bookmarks_[static_cast<std::size_t>(slot)] = line; }
    /// Keeps the bookmarks on their text when `count` lines are inserted (count > 0) or
    /// removed (count < 0) at `line`.
    void ShiftBookmarks(int line, int count);

    // --- undo ---
    /// Empties the undo list. Edits are not recorded yet (the editor takes no keyboard input
    /// so far), so there is nothing to empty; loads call this already.
    void ClearUndo() {}

    // --- view ---
    int TopLine() const { return topLine_; }
    void SetTopLine(int line);
    int LeftCol() const { return leftCol_; }
    void SetLeftCol(int column);
    TColor BkColor() const { return bkColor_; }
    void SetBkColor(TColor color);
    int CharWidth() const { return charWidth_; }
    int LineHeight() const { return lineHeight_; }
    int VisibleLineCount() const;
    int VisibleColCount() const;
    void ScrollCaretIntoView();
    void UpdateScrollBars();

    // --- refresh ---
    /// While the refresh is off the store's changes do not reach the view.
    bool RefreshOn() const { return refreshOn_; }
    void SetRefreshOn(bool value) { refreshOn_ = value; }
    /// What a change of the store sets off: OnChange, the longest line, scroll bars, caret
    /// into view, a full repaint, and bookmarks past the end reset.
    void RefreshStep();
    /// Connects the store's change callback to the refresh step, or disconnects it.
    void AttachChangeCallback(bool attached);
    /// Forgets the highlighter state cached for the top of the view.
    void DiscardScanCache() { cachedScanLine_ = -1; }
    /// Rewraps and rescans what depends on the whole text after a load.
    void TextLoaded();

    TNotifyEvent OnChange;
    TNotifyEvent OnSelectionChange;

protected:
    void Paint() override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
    void FontChanged() override;
    void Resize() override;

private:
    void UpdateMetrics();
    void CaretLineChanged(int oldLine);

    std::unique_ptr<TAdvMemoStrings> lines_;
    int tabSize_ = 4;
    bool trimTrailingSpaces_ = false;
    bool autoExpand_ = false;
    int longestLine_ = 0;

    int caretX_ = 0;
    int caretY_ = 0;
    TPoint selStart_;
    TPoint selEnd_;
    std::array<int, kBookmarkCount> bookmarks_;

    int topLine_ = 0;
    int leftCol_ = 0;
    TColor bkColor_ = clWhite;
    int charWidth_ = 8;
    int lineHeight_ = 16;
    int textMargin_ = 2;
    int cachedScanLine_ = -1;
    bool refreshOn_ = true;
};

/// The published editor.
class TAdvMemo : public TAdvCustomMemo {
public:
    using TAdvCustomMemo::TAdvCustomMemo;
};
