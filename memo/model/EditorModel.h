#pragma once
// The list editor's model: its line store, the caret and selection, the editing settings, and
// the caret rules and moves that work on them. It paints nothing and owns no window: what
// the view must do about a change it asks of its host (TEditorHost), and the text operations
// and their undo list (MemoEditing, MemoUndo) work on it. The control joins model, host and
// view; a test runs the model without any of the platform's windows.
//
// The caret may stand beyond a line's end (virtual space) while AutoExpand is on; moving the
// caret never changes the text. The document's changes reach the model as a listener: caret,
// selection and bookmarks follow their text.

#include <string>
#include <vector>

#include "memo/model/AdvMemoStrings.h"
#include "memo/model/CaretState.h"
#include "memo/model/EditorHost.h"
#include "memo/model/FoldRegions.h"
#include "memo/model/MarkerList.h"
#include "platform/Types.h"

/// Replacement of the word before the caret when a word ends (space, Enter, punctuation):
/// an entry of OldValue, matched exactly, becomes the entry of NewValue at the same index.
/// One undo step takes back the replacement with the key that made it.
struct TAutoCorrect {
    bool Active = true;
    std::vector<std::string> OldValue;
    std::vector<std::string> NewValue;
};

/// How the editor edits.
struct TEditSettings {
    bool AutoExpand = true;  // the caret may stand beyond a line's end
    bool ReadOnly = false;
    bool DelErase = false;   // typing, Delete and Backspace replace a non-empty selection
    bool AutoIndent = true;  // Enter indents the new line as the line it leaves
    bool EnhancedHomeKey = false;
    bool SmartTabs = false;
    TAutoCorrect AutoCorrect;
    /// A styler's delimiters, which bound the word at the caret beside space and the quotes.
    std::string WordDelimiters;
    /// Where Ctrl+Left and Ctrl+Right stop: the space, or a styler's first symbol set.
    std::string WordMoveBreaks = " ";
};

class TAdvMemoChecker;

class TEditorModel : private core::DocumentListener {
public:
    explicit TEditorModel(TEditorHost& host);
    ~TEditorModel();
    TEditorModel(const TEditorModel&) = delete;
    TEditorModel& operator=(const TEditorModel&) = delete;

    TEditorHost& Host() { return host_; }
    TAdvMemoStrings& Lines() { return lines_; }
    /// The lines' gutter markers; they follow the document.
    TAdvMarkerList& Markers() { return markers_; }
    const TAdvMarkerList& Markers() const { return markers_; }
    const TAdvMemoStrings& Lines() const { return lines_; }
    TEditSettings& Settings() { return settings_; }
    const TEditSettings& Settings() const { return settings_; }
    bool TrimTrailingSpaces() const { return trimTrailingSpaces_; }
    /// The line the caret leaves, and lines assigned to the store, lose their trailing spaces.
    void SetTrimTrailingSpaces(bool value);

    /// The checker that Enter, Tab and space call (MemoChecker.h); none by default. The editor
    /// does not own it: whoever assigns it keeps it alive while it is assigned.
    TAdvMemoChecker* MemoChecker() const { return memoChecker_; }
    void SetMemoChecker(TAdvMemoChecker* checker) { memoChecker_ = checker; }

    // --- caret and selection (MemoCaret.cpp) ---
    const TCaretState& Caret() const { return caret_; }
    /// The caret for the editor's own parts: changes made here raise no event.
    TCaretState& CaretState() { return caret_; }
    int CaretX() const { return caret_.Caret.X; }
    int CaretY() const { return caret_.Caret.Y; }
    void SetCaretX(int column);
    void SetCaretY(int line);
    /// ResetSelection, CaretX := 0, SetCaretY(line), SetCaretX(column).
    void SetCaretPosition(int column, int line);
    /// Anchor and moving end, unordered.
    void SetSelection(TPoint start, TPoint end);
    bool SelectionEmpty() const { return caret_.SelectionEmpty(); }
    /// Anchor, moving end and track point := caret.
    void ResetSelection();
    /// Moving end and track point := caret.
    void ExtendSelection();
    int SelStart() const;
    int SelLength() const;
    /// SelLength() >= 1, without building the text (a selection of millions of lines).
    bool SelectionHasText() const;
    /// The ordered selection's text, lines joined by CR LF.
    std::string GetSelectedText() const;
    /// Anchor at the start, moving end at the end of the last line; the caret stays.
    void SelectAll();
    void SetOverwriteMode(bool value) { caret_.OverwriteMode = value; }
    /// Whether the character that follows the last key down may be typed (a key that started
    /// auto-completion keeps its space out).
    bool KeyAllowsTyping() const { return keyAllowsTyping_; }
    void SetKeyAllowsTyping(bool value) { keyAllowsTyping_ = value; }

    // --- folding (MemoFolding.cpp) ---
    /// The fold regions and the rows they leave.
    TFoldRegions& Folding() { return folding_; }
    const TFoldRegions& Folding() const { return folding_; }
    /// Opens or closes the region starting on `line`; the caret leaves a line that closing
    /// hides for the region's start line, and the view follows. False when nothing changed.
    bool SetExpanded(int line, bool value);
    void ToggleRegion(int line) { SetExpanded(line, !folding_.IsExpanded(line)); }
    /// Finds the regions again where the text changed; a region that now hides the caret's
    /// line opens.
    void RebuildRegions();

    // --- moves (MemoMoves.cpp) ---
    void ArrowMove(int dx, int dy, TShiftState shift);
    void WordMoveRight();
    void WordMoveLeft();
    void HomeMove(TShiftState shift);
    void EndMove(TShiftState shift);
    void PageMove(int direction, TShiftState shift);

    // --- refresh ---
    /// While the refresh is off the store's changes do not reach the view.
    bool RefreshOn() const { return refreshOn_; }
    void SetRefreshOn(bool value) { refreshOn_ = value; }
    /// What a change of the store sets off: OnChange, scroll bars, caret into view, a full
    /// repaint.
    void RefreshStep();

private:
    void LinesChanged(const core::LineChange& change) override;
    void CaretLineChanged(int oldLine);
    /// Shift is held and the caret still stands on the track point.
    bool ExtendsSelection(TShiftState shift) const;
    /// The end-of-move selection rule: extend when `extend`, else collapse.
    void FinishMove(bool extend);
    /// Puts the anchor back to `anchor` after a move.
    void KeepAnchor(TPoint anchor);

    TEditorHost& host_;
    TAdvMemoStrings lines_{true};
    TAdvMarkerList markers_{lines_.Document()};
    TFoldRegions folding_{lines_};
    TCaretState caret_;
    TEditSettings settings_;
    bool trimTrailingSpaces_ = false;
    bool refreshOn_ = true;
    bool keyAllowsTyping_ = true;
    TAdvMemoChecker* memoChecker_ = nullptr;
};

/// Switches the model's refresh off for a scope, and back to what it was.
class TRefreshOff {
public:
    explicit TRefreshOff(TEditorModel& model) : model_(model), was_(model.RefreshOn()) {
        model_.SetRefreshOn(false);
    }
    ~TRefreshOff() { model_.SetRefreshOn(was_); }
    TRefreshOff(const TRefreshOff&) = delete;
    TRefreshOff& operator=(const TRefreshOff&) = delete;

private:
    TEditorModel& model_;
    bool was_;
};
