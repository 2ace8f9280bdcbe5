#pragma once
// TMemo, the plain multi-line text box of the result panes.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "core/TextDocument.h"
#include "platform/Controls.h"
#include "platform/StdCtrls.h"
#include "textbox/TextBoxLayout.h"

/// A plain multi-line text box: editable, word wrap on by default, its own
/// clipboard commands (Ctrl+C, Ctrl+X, Ctrl+V, Ctrl+Z, Ctrl+A). Its lines are 8-bit text kept
/// in a core::TextDocument and shown through the text codec; only the rows on screen are laid
/// out (TextBoxLayout), and caret, selection, edits and undo are TextBoxEditing's (Memo.cpp).
class TMemo : public TCustomControl {
public:
    explicit TMemo(TWinControl* parent);
    ~TMemo() override;

    void Clear();
    /// Adds one entry as a new line at the end.
    void Append(std::string_view entry);
    /// Replaces the content by `entries`, one a line, in one go: the entries are copied once,
    /// into one buffer that the document takes over.
    void SetEntries(std::span<const std::string_view> entries);
    /// The same with the entries gathered beforehand, on any thread: taking them is one step
    /// and copies nothing.
    void SetEntries(core::TextDocument::SplitText&& entries);
    /// The number of lines: the entries put in by Append and SetEntries since the last Clear,
    /// as far as the user has not edited them since.
    std::size_t EntryCount() const;
    /// The shown text as UTF-8, lines separated by LF.
    std::string Text() const;

    /// Selects the whole text (cheap: the window calls it on every mouse move).
    void SelectAll();
    /// The selected text as UTF-8, lines separated by LF.
    std::string SelText() const;
    /// The selection's text onto the clipboard; Cut removes it too (not when read-only).
    void CopyToClipboard();
    void CutToClipboard();
    /// The clipboard's text in place of the selection (not when read-only).
    void PasteFromClipboard();
    /// Takes back the last edit; typing in a row is one edit.
    void Undo();

    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle style);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wrap);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }

    /// The first row shown and the number of rows of the whole (wrapped) text.
    std::int64_t TopRow() const;
    std::int64_t RowCount() const;

protected:
    void Paint() override;
    void KeyDown(std::uint16_t& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
    void DoEnter() override;
    void DoExit() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Resize() override;
    void FontChanged() override;

private:
    struct Box; // the document, its layout and editing, the scroll bar (Memo.cpp)

    void TextChanged();
    void LayOut();
    void ScrollTo(std::int64_t row);
    void ScrollToCaret();
    void MoveCaret(TextPos to, bool extend);
    TextPos PosAtPoint(int x, int y) const;
    TRect TextArea() const;
    int VisibleRows() const;
    /// Runs an edit unless read-only, then shows the caret.
    template <typename Edit> void EditText(Edit edit);

    std::unique_ptr<Box> box_;
    TScrollStyle scrollBars_ = TScrollStyle::ssNone;
    bool wordWrap_ = true;
    bool readOnly_ = false;
};
