#pragma once
// Auto-completion: the list of a styler's entries that begin with the word at the caret, in a
// window of its own below the caret, and the insertion of the chosen one.
//
// The list window never takes the focus: the editor keeps it, with its caret, and hands its
// keys to the list first while the list shows (KeyDown and KeyPress below, called by the
// editor before its own handling). Keys the list takes (moving in the list, Enter, Space,
// Tab, Esc) and their characters go no further. Letters, digits and "_" are typed into the
// editor as usual and the list filters again; "-" types "_" (names have no minus); Backspace
// and Delete edit as usual and the list filters again. "(" inserts the selected entry and is
// then typed after it. Shift, Ctrl and Alt alone change nothing; any other key cancels the
// list and then does in the editor what it always does. The editor losing the focus, or a
// click in it, cancels the list.
//
// Modes. Normally the list filters by the word around the caret and an insertion replaces
// that word. After a "." (the delay timer after a typed ".", or Ctrl+Space on a word that holds
// one) the column after the dot is remembered: the list filters by the text typed from there
// and an insertion replaces it; deleting back over that column closes the list.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "memo/Styler.h"
#include "platform/ImageList.h"
#include "platform/PopupWindow.h"
#include "platform/StdCtrls.h"
#include "platform/Types.h"

class TAdvCustomMemo;
class TCompletionListWindow;

/// How an entry comes to be inserted: Enter or Space (which may append "()"), the "(" key, or a
/// click in the list.
enum class TCompletionInsert { ByKey, ByParenthesis, ByMouse };

class TMemoCompletion {
public:
    explicit TMemoCompletion(TAdvCustomMemo& editor);
    ~TMemoCompletion();
    TMemoCompletion(const TMemoCompletion&) = delete;
    TMemoCompletion& operator=(const TMemoCompletion&) = delete;

    /// Ctrl+Space (`byTimer` false) or the delay timer: opens the list when completion may run
    /// and an entry begins with the word. True when the list opened.
    bool Start(bool byTimer);
    bool Showing() const;

    /// A key down while the list shows; true when the list took it (its character too).
    bool KeyDown(std::uint16_t key, TShiftState shift);
    /// After the editor handled a key the list let through (Backspace, Delete).
    void AfterKeyDown(std::uint16_t key);
    /// A typed character while the list shows, before the editor types it (which may change
    /// it); true when it goes no further.
    bool KeyPress(char& key);
    /// After the editor typed `key`.
    void AfterKeyPress(char key);

    /// Inserts the selected entry as `how` says, and closes the list.
    void Insert(TCompletionInsert how);
    /// OnCancelAutoCompletion, and the list closes (nothing when it is not showing).
    void Cancel();
    void Close();

    // --- the list as shown ---
    const std::vector<TCompletionEntry>& Entries() const { return entries_; }
    int Selected() const { return selected_; }
    void Select(int index);
    /// The column after the dot in after-dot mode, else -1.
    int AnchorColumn() const { return anchor_; }
    TCompletionListWindow& Window() { return *window_; }

    /// Kind images by index (0 variable, 1 property, 2 event, 3 method, 4 procedure and
    /// function); without a list five built-in ones.
    TImageList* Images() const { return images_.List(); }
    void SetImages(TImageList* images) { images_.SetList(images); }

private:
    /// The upper-cased word the list filters by, in the mode the list is in.
    std::string FilterWord() const;
    /// Fills the list from the styler's entries for `word`; false when none is left.
    bool Fill(const std::string& word);
    /// Filters again after an edit; closes the list (cancelled) when nothing is left.
    void Refilter();
    void Open();

    TAdvCustomMemo& editor_;
    std::unique_ptr<TCompletionListWindow> window_;
    TImageListLink images_;
    std::vector<TCompletionEntry> entries_;
    int selected_ = -1;
    int anchor_ = -1;
    bool swallowChar_ = false; // the list took the key down: its character goes no further
};

/// The window that shows the list: a frame, the entries in rows, a scroll bar when they do not
/// all fit. Clicking a row selects it; releasing the button over the rows inserts it.
class TCompletionListWindow : public TPopupWindow {
public:
    explicit TCompletionListWindow(TMemoCompletion& owner, TAdvCustomMemo& editor);
    ~TCompletionListWindow() override;

    /// The entries changed: rows and scroll bar follow, the first row on top.
    void EntriesChanged();
    /// Scrolls so that the selected entry shows.
    void ShowSelected();
    /// The frame's width on each side.
    int FrameWidth() const;
    int RowHeight();
    /// The rectangle of the rows (client coordinates).
    TRect RowsArea() const;
    /// The width that fits the longest entry, frame and scroll bar included.
    int FittedWidth();
    /// Where the identifiers start, from the rows' left edge: past the widest kind word of the
    /// entries the list opened with, so names stay in place while the list filters.
    int IdentifierColumn() const { return identifiers_; }
    /// The list opens with its entries: the identifier column is measured.
    void Opening();
    int TopIndex() const { return topIndex_; }
    int VisibleRows();

    /// The selection's colours and the built-in kind images (16 x 16, green transparent).
    static const TBitmap& BuiltInImage(int index);

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
    void Resize() override;

private:
    void PaintRow(int index, const TRect& row, int identifiers);
    void DrawKindImage(int kind, int x, int y);
    void SetTopIndex(int index);
    void UpdateBar();
    /// The entry under (x, y), or -1.
    int EntryAt(int x, int y);
    TFont& ListFont();

    TMemoCompletion& owner_;
    TAdvCustomMemo& editor_;
    std::unique_ptr<TScrollBar> bar_;
    int topIndex_ = 0;
    int identifiers_ = 0;
    bool sizing_ = false; // dragging the sizeable frame's right or bottom edge
    TPoint sizeFrom_;
    TSize sizeStart_;
};
