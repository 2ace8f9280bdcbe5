#pragma once
// What the editor model asks of whatever shows it. The model keeps the text, the caret, the
// settings and the undo list, and knows nothing of pixels, scroll bars, the system caret or
// the clipboard's owner; the control answers these calls with its view and raises its events.
// A test runs the model against a host of its own.

#include <string>

/// The editor's events, as the model raises them; the host hands each on to its handler.
enum class TEditorNotice {
    Change,          // the text changed (OnChange)
    SelectionChange, // OnSelectionChange
    StatusChange,    // caret, overwrite mode or modified state (OnStatusChange)
    CursorChange,    // the caret moved (OnCursorChange)
    ColumnChange,    // the caret's column was set (OnColumnChange)
    UndoChange,      // what undo and redo can do changed (OnUndoChange)
    Find,            // Ctrl+F (OnFind)
    Replace,         // Ctrl+H (OnReplace)
};

class TEditorHost {
public:
    virtual ~TEditorHost() = default;

    // --- painting ---
    /// The text needs painting: soon, or (`RepaintText`) before the call returns.
    virtual void InvalidateText() = 0;
    virtual void RepaintText() = 0;
    /// Only the rows of the lines first..last need painting.
    virtual void InvalidateLines(int first, int last) = 0;

    // --- the view follows the model ---
    /// The view moves so the caret shows (it may set the caret back when it cannot).
    virtual void ScrollCaretIntoView() = 0;
    /// The text's size changed: the scroll bars follow.
    virtual void UpdateScrollBars() = 0;
    /// The caret is about to stand on `line` (the active line follows it).
    virtual void CaretGoesToLine(int line) = 0;
    /// The system caret moves to where the caret stands.
    virtual void PlaceSystemCaret() = 0;

    // --- rows: lines as the view shows them ---
    /// The line `rows` rows away from `line` (up when negative), within the text.
    virtual int LineRowsAway(int line, int rows) const = 0;
    virtual int RowCount() const = 0;
    /// Whole rows in a page of the view; -1 before the view knows its row height.
    virtual int PageRows() const = 0;
    virtual int TopLine() const = 0;
    virtual void SetTopLine(int line) = 0;
    virtual int LeftCol() const = 0;
    virtual void SetLeftCol(int column) = 0;

    // --- events ---
    virtual void Notify(TEditorNotice notice) = 0;
    /// Whether the Insert key may switch the overwrite mode.
    virtual bool AllowOverwriteToggle() = 0;
    /// Ctrl+Space: auto-completion starts when it is on. True when it is on: the space the
    /// key brings is then not typed.
    virtual bool StartAutoCompletion() = 0;
    /// "." or "(" was typed: completion may open its list after its delay.
    virtual void StartCompletionTimer() = 0;
    /// Ctrl+Shift+Space: the parameter hint of the call at the caret shows.
    virtual void ShowParameterHint() = 0;
    /// A word ended; the handler may change `replacement` (which starts as the word).
    virtual void WordCompleted(const std::string& word, std::string& replacement) = 0;

    // --- clipboard ---
    virtual void PutOnClipboard(const std::string& bytes) = 0;
    virtual bool ClipboardHasText() const = 0;
    /// The clipboard's text as bytes: exactly what Dyadlist put there, else UTF-8.
    virtual std::string ClipboardBytes() const = 0;
};
