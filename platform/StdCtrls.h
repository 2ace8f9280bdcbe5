#pragma once
// Standard controls: the plain multi-line text box of the result panes, the simple push
// button and label, and the scroll bar.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/Controls.h"
#include "platform/TextBoxLayout.h"

/// The platform's plain multi-line text box: editable, word wrap on by default, its own
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

/// A push button that raises OnClick.
class TButton : public TWinControl {
public:
    explicit TButton(TWinControl* parent);
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    /// Performs a click exactly as if the button were pressed.
    void Click() override;

private:
    std::string caption_;
};

/// A line of plain text.
class TLabel : public TControl {
public:
    explicit TLabel(TWinControl* parent);
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    /// With AutoSize (the default) setting the caption sizes the label to its text.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value) { autoSize_ = value; }

private:
    std::string caption_;
    bool autoSize_ = true;
};

enum class TScrollBarKind { sbHorizontal, sbVertical };
enum class TScrollCode {
    scLineUp,
    scLineDown,
    scPageUp,
    scPageDown,
    scPosition,
    scTrack,
    scTop,
    scBottom,
    scEndScroll
};

/// A scroll bar child control with the system's scrolling rules: positions run from Min to
/// Max - PageSize + 1 (to Max when PageSize is 0).
class TScrollBar : public TWinControl {
public:
    TScrollBar(TWinControl* parent, TScrollBarKind kind);

    TScrollBarKind Kind() const { return kind_; }
    int Min() const { return min_; }
    int Max() const { return max_; }
    int PageSize() const { return pageSize_; }
    int Position() const { return position_; }
    /// Sets all four at once; the position is clamped to the range. Raises no event.
    void SetParams(int position, int min, int max, int pageSize);
    void SetPosition(int position);

    /// The user moved the bar: `code` says how, `position` is the new position, which the
    /// handler may change (it is kept within the range). Then the bar takes the position and
    /// OnChange follows when the position changed. A drag sends scTrack while it moves and
    /// scPosition at the release; scEndScroll is not sent.
    std::function<void(TObject* sender, TScrollCode code, int& position)> OnScroll;
    TNotifyEvent OnChange;

    /// Performs a user scroll as the framework would (arrows, page, drag, top, bottom).
    void Scroll(TScrollCode code, int trackPosition = 0);

private:
    int LastPosition() const;
    /// Moves the Qt bar to the stored values without raising its signals.
    void ApplyToBar();
    /// A user action on the Qt bar: scrolls with `code` and puts the bar where it ended.
    void UserScroll(TScrollCode code, int trackPosition);

    TScrollBarKind kind_;
    int min_ = 0;
    int max_ = 100;
    int pageSize_ = 0;
    int position_ = 0;
    bool scrolling_ = false; // inside a user scroll: the bar's own value changes are ours
};
