#pragma once
// The list editor: a custom-drawn control over its own line store.
//
// TAdvCustomMemo is the facade that keeps the names the behaviour speaks in (CaretX,
// SetCaretY, ResetSelection, TopLine...) over parts with one concern each: the line store
// and its document (AdvMemoStrings, LineRecords, core/TextDocument), caret and selection
// (CaretState, MemoCaret.cpp), the view model (MemoView), row painting (RowPainter), the row
// map (RowMap) and the gutter (Gutter). The editor listens to its document: caret,
// bookmarks and view follow the text. Painting reads the model and never changes it.
//
// Editing is spread the same way: the key tables (MemoKeyTable, data: key, shift state,
// command), the keyboard's handling order (MemoKeyboard.cpp), caret moves (MemoMoves.cpp),
// the text operations (MemoEditing), the undo list and its records (MemoUndo), mouse and
// context menu (MemoMouse), and the clipboard commands (MemoClipboard.cpp). Every text change
// goes through the line store into the document's primitives.
//
// Hooks of parts not built yet stay minimal: with no styler the word sets are the plain ones,
// folding has no regions to skip or open, auto-completion, parameter hints and the memo
// checker are absent (Ctrl+Space and Ctrl+Shift+Space change nothing), and word wrap is off.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "memo/AdvMemoStrings.h"
#include "memo/CaretState.h"
#include "memo/Gutter.h"
#include "memo/KeptSettings.h"
#include "memo/MemoView.h"
#include "memo/RowMap.h"
#include "memo/ViewSettings.h"
#include "memo/ViewStyle.h"
#include "platform/Controls.h"
#include "platform/StdCtrls.h"

class TBitmap;
struct TRowContext;
class TAdvUndoList;
class TMemoEditing;
class TMemoMouse;
class TPopupMenu;
class TSystemCaret;

/// Replacement of the word before the caret when a word ends (space, Enter, punctuation):
/// an entry of OldValue, matched exactly, becomes the entry of NewValue at the same index.
struct TAutoCorrect {
    bool Active = true;
    std::vector<std::string> OldValue;
    std::vector<std::string> NewValue;
};

using TKeyEvent = std::function<void(TObject* sender, std::uint16_t& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;
using TAllowEvent = std::function<void(TObject* sender, bool& allow)>;
using TColumnEvent = std::function<void(TObject* sender, int column)>;
/// The word that ended, and what it becomes (the handler may change `replacement`).
using TMemoWordEvent =
    std::function<void(TObject* sender, const std::string& word, std::string& replacement)>;
using TUndoChangeEvent = std::function<void(TObject* sender, bool canUndo, bool canRedo)>;
using TGutterClickEvent = std::function<void(TObject* sender, int line)>;
using TAdvMemoFileDropEvent =
    std::function<void(TObject* sender, const std::string& fileName, bool& allow)>;

class TAdvCustomMemo : public TCustomControl, private core::DocumentListener {
public:
    explicit TAdvCustomMemo(TWinControl* parent);
    ~TAdvCustomMemo() override;

    // --- text ---
    TAdvMemoStrings& Lines() { return *lines_; }
    const TAdvMemoStrings& Lines() const { return *lines_; }
    /// Clear, AddStrings(list); with TrimTrailingSpaces every line loses its trailing spaces;
    /// then the selection-changed notification and a repaint.
    void SetLines(const TStrings& list);
    int TabSize() const { return lines_->TabSize(); }
    void SetTabSize(int value);
    bool TrimTrailingSpaces() const { return trimTrailingSpaces_; }
    void SetTrimTrailingSpaces(bool value);
    bool AutoExpand() const { return autoExpand_; }
    void SetAutoExpand(bool value) { autoExpand_ = value; }
    /// The greatest line length in characters, used for horizontal scrolling.
    int LongestLine() const { return lines_->Document().LongestLine(); }

    /// The editor's clear operation: the store ends with 0 lines, caret, selection and scroll
    /// position at the start; the undo list is kept.
    void Clear();

    // --- caret and selection ---
    const TCaretState& Caret() const { return caret_; }
    int CaretX() const { return caret_.Caret.X; }
    int CaretY() const { return caret_.Caret.Y; }
    void SetCaretX(int column);
    void SetCaretY(int line);
    /// ResetSelection, CaretX := 0, SetCaretY(line), SetCaretX(column).
    void SetCaretPosition(int column, int line);
    /// Anchor and moving end, unordered (Caret() has the track point too).
    void SetSelection(TPoint start, TPoint end);
    bool SelectionEmpty() const { return caret_.SelectionEmpty(); }
    /// Anchor, moving end and track point := caret.
    void ResetSelection();
    /// Moving end and track point := caret.
    void ExtendSelection();
    /// The linear offset of the ordered selection's start, and the selected text's length.
    int SelStart() const;
    int SelLength() const;
    /// SelLength() >= 1, without building the text (a selection of millions of lines).
    bool SelectionHasText() const;
    /// The ordered selection's text, lines joined by CR LF.
    std::string GetSelectedText() const;
    /// Anchor at the start, moving end at the end of the last line; the caret stays.
    void SelectAll();
    bool OverwriteMode() const { return caret_.OverwriteMode; }
    void SetOverwriteMode(bool value) { caret_.OverwriteMode = value; }
    bool RegionsStale() const { return caret_.RegionsStale; }

    // --- editing properties ---
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    /// Typing, Delete and Backspace replace a non-empty selection.
    bool DelErase() const { return delErase_; }
    void SetDelErase(bool value) { delErase_ = value; }
    bool AutoIndent() const { return autoIndent_; }
    void SetAutoIndent(bool value) { autoIndent_ = value; }
    bool EnhancedHomeKey() const { return enhancedHomeKey_; }
    void SetEnhancedHomeKey(bool value);
    bool SmartTabs() const { return smartTabs_; }
    void SetSmartTabs(bool value);
    bool WantTab() const { return WantTabs(); }
    void SetWantTab(bool value) { SetWantTabs(value); }
    bool HiddenCaret() const { return hiddenCaret_; }
    void SetHiddenCaret(bool value);
    TAutoCorrect& AutoCorrect() { return autoCorrect_; }
    /// Styler, soft wrap, completion, hint, marker and print settings: stored and kept.
    TKeptSettings& Kept() { return kept_; }
    const TKeptSettings& Kept() const { return kept_; }
    /// The control's own popup menu; while one is assigned the editor shows none of its own.
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu) { popupMenu_ = menu; }
    /// Files dropped from the desktop are loaded (see OnFileDrop).
    bool AcceptFiles() const { return acceptFiles_; }
    void SetAcceptFiles(bool value);

    // --- editing operations (MemoEditing) ---
    void InsertChar(char ch);
    void NewLine();
    void TabKey(TShiftState shift);
    void Backspace();
    void DeleteWordBack();
    void DeleteChar();
    /// Deletes the caret line (a store of one line keeps one empty line).
    void DeleteLine();
    /// True when text was removed.
    bool DeleteSelection(bool repaint);
    void InsertText(std::string_view text);
    TMemoEditing& Editing() { return *editing_; }

    // --- keyboard and moves ---
    /// Runs the command of a key code or control character with `shift`.
    void KeyCommand(int code, TShiftState shift);
    void ArrowMove(int dx, int dy, TShiftState shift);
    void WordMoveRight();
    void WordMoveLeft();
    void HomeMove(TShiftState shift);
    void EndMove(TShiftState shift);
    void PageMove(int direction, TShiftState shift);
    /// The replacement of the word at the caret before a trigger character (no undo record).
    void WordCompletionStep();
    /// The Insert key: when OnOverwriteToggle allows, recorded and inverted.
    void ToggleOverwriteMode();

    // --- clipboard (MemoClipboard.cpp) ---
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();

    // --- bookmarks ---
    static constexpr int kBookmarkCount = TCaretState::kBookmarkCount;
    int Bookmark(int slot) const { return caret_.Bookmarks[static_cast<std::size_t>(slot)]; }
    void SetBookmark(int slot, int line) {
        caret_.Bookmarks[static_cast<std::size_t>(slot)] = line;
    }

    // --- undo (MemoUndo) ---
    TAdvUndoList& UndoList() { return *undoList_; }
    void Undo();
    void Redo();
    void ClearUndo();
    bool CanUndo() const;
    bool CanRedo() const;
    int UndoLimit() const { return undoLimit_; }
    /// Clamped to 1..100; a new limit empties the list.
    void SetUndoLimit(int value);
    /// True while the undo list holds a record.
    bool Modified() const;
    /// False empties the undo list and clears every line's modified mark; true changes nothing.
    void SetModified(bool value);

    // --- view: properties ---
    const TViewStyle& Style() const { return style_; }
    TColor BkColor() const { return style_.BkColor; }
    void SetBkColor(TColor color) { SetStyle(style_.BkColor, color); }
    TColor SelColor() const { return style_.SelColor; }
    void SetSelColor(TColor color) { SetStyle(style_.SelColor, color); }
    TColor SelBkColor() const { return style_.SelBkColor; }
    void SetSelBkColor(TColor color) { SetStyle(style_.SelBkColor, color); }
    /// Show the selection only while the editor has the focus.
    bool HideSelection() const { return style_.HideSelection; }
    void SetHideSelection(bool value) { SetStyle(style_.HideSelection, value); }
    int RightMargin() const { return style_.RightMargin; }
    void SetRightMargin(int column) { SetStyle(style_.RightMargin, column); }
    bool ShowRightMargin() const { return style_.ShowRightMargin; }
    void SetShowRightMargin(bool value) { SetStyle(style_.ShowRightMargin, value); }
    TColor RightMarginColor() const { return style_.RightMarginColor; }
    void SetRightMarginColor(TColor color) { SetStyle(style_.RightMarginColor, color); }
    TBorderStyle BorderStyle() const { return style_.BorderStyle; }
    void SetBorderStyle(TBorderStyle style) { SetLayoutStyle(style_.BorderStyle, style); }
    bool Ctl3D() const { return style_.Ctl3D; }
    void SetCtl3D(bool value) { SetLayoutStyle(style_.Ctl3D, value); }
    TColor BorderColor() const { return style_.BorderColor; }
    void SetBorderColor(TColor color) { SetStyle(style_.BorderColor, color); }
    TScrollStyle ScrollBars() const { return style_.ScrollBars; }
    void SetScrollBars(TScrollStyle style) { SetLayoutStyle(style_.ScrollBars, style); }
    TScrollMode ScrollMode() const { return style_.ScrollMode; }
    void SetScrollMode(TScrollMode mode) { style_.ScrollMode = mode; }
    TColor BreakpointColor() const { return style_.BreakpointColor; }
    void SetBreakpointColor(TColor color) { SetStyle(style_.BreakpointColor, color); }
    TColor BreakpointTextColor() const { return style_.BreakpointTextColor; }
    void SetBreakpointTextColor(TColor color) { SetStyle(style_.BreakpointTextColor, color); }
    bool BlockShow() const { return style_.BlockShow; }
    void SetBlockShow(bool value) { SetStyle(style_.BlockShow, value); }
    TColor BlockColor() const { return style_.BlockColor; }
    void SetBlockColor(TColor color) { SetStyle(style_.BlockColor, color); }
    TColor BlockLineColor() const { return style_.BlockLineColor; }
    void SetBlockLineColor(TColor color) { SetStyle(style_.BlockLineColor, color); }
    bool UrlAware() const { return style_.UrlAware; }
    void SetUrlAware(bool value) { SetStyle(style_.UrlAware, value); }
    const TUrlStyle& UrlStyle() const { return style_.UrlStyle; }
    void SetUrlStyle(const TUrlStyle& style) { SetStyle(style_.UrlStyle, style); }
    TWordWrap WordWrap() const { return wordWrap_; }
    void SetWordWrap(TWordWrap value);
    TAdvActiveLineSettings& ActiveLineSettings() { return activeLineSettings_; }
    TCodeFolding& CodeFolding() { return codeFolding_; }
    TAdvGutter& Gutter() { return *gutter_; }
    const TAdvGutter& Gutter() const { return *gutter_; }
    const TRowMap& RowMap() const { return *rowMap_; }
    /// Puts `map` in the identity's place (folding and word wrap fill their own).
    void SetRowMap(std::unique_ptr<TRowMap> map);
    /// Number of foldable regions found in the text (none without a styler).
    int RegionCount() const { return regionCount_; }

    /// The row painter of the gutter: editor, canvas, row rectangle, number index.
    std::function<void(TAdvCustomMemo& editor, TCanvas& canvas, const TRect& row, int index)>
        OnGutterDraw;

    // --- view: position and metrics ---
    const TMemoView& View() const { return view_; }
    /// The line shown in the first row of the view.
    int TopLine() const { return rowMap_->LineOfRow(view_.TopRow()); }
    void SetTopLine(int line);

    // --- rows: lines as the view shows them, through the row map ---
    /// The rows the text takes.
    int RowCount() const { return rowMap_->RowCount(lines_->Count()); }
    /// The screen row (0: the view's first) that shows `line`; negative above the view.
    int ScreenRowOfLine(int line) const { return rowMap_->RowOfLine(line) - view_.TopRow(); }
    /// The line shown in screen row `row`.
    int LineOfScreenRow(int row) const { return rowMap_->LineOfRow(view_.TopRow() + row); }
    /// The line `rows` rows away from `line` (up when negative), within the text.
    int LineRowsAway(int line, int rows) const;
    int LeftCol() const { return view_.LeftCol(); }
    void SetLeftCol(int column);
    int CharWidth() const { return view_.CharWidth; }
    int LineHeight() const { return view_.LineHeight; }
    int TextMargin() const { return view_.Frame.TextMargin; }
    /// The active line, or -1; follows the caret only while ActiveLineAtCursor is on.
    int ActiveLine() const { return activeLine_; }
    void SetActiveLine(int line);

    TRect TextArea() const { return view_.TextArea(style_); }
    TRect FoldingColumn() const { return view_.FoldingColumn(style_); }
    TRect CellRect(int column, int row) const { return view_.CellRect(style_, column, row); }
    TPoint PointToCell(int x, int y) const { return view_.PointToCell(style_, x, y); }
    TPoint PointToTextPosition(int x, int y) const {
        return view_.PointToTextPosition(style_, x, y);
    }
    int VisibleColCount() const { return view_.VisibleColCount(style_); }
    /// Whole rows in the text area.
    int VisibleLineCount() const { return view_.VisibleRowCount(style_); }
    int LastVisibleCol() const { return view_.LastVisibleCol(style_); }
    /// The line shown in the last whole row of the text area.
    int LastVisibleLine() const { return rowMap_->LineOfRow(view_.LastVisibleRow(style_)); }

    void ScrollCaretIntoView();
    void UpdateScrollBars();
    TScrollBar& VerticalBar() { return *verticalBar_; }
    TScrollBar& HorizontalBar() { return *horizontalBar_; }

    /// Applies the editor font: a font whose "W" and "i" differ in width is shown in "FixedSys".
    void ApplyFont();

    // --- refresh ---
    /// While the refresh is off the store's changes do not reach the view.
    bool RefreshOn() const { return refreshOn_; }
    void SetRefreshOn(bool value) { refreshOn_ = value; }
    /// What a change of the store sets off: OnChange, scroll bars, caret into view, a full
    /// repaint.
    void RefreshStep();

    TNotifyEvent OnChange;
    TNotifyEvent OnSelectionChange;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnCursorChange;
    TColumnEvent OnColumnChange;
    TNotifyEvent OnStatusChange;
    TAllowEvent OnOverwriteToggle;
    TNotifyEvent OnFind;
    TNotifyEvent OnReplace;
    TMemoWordEvent OnWordComplete;
    TUndoChangeEvent OnUndoChange;
    TNotifyEvent OnDblClick;
    TGutterClickEvent OnGutterClick;
    TGutterClickEvent OnGutterRightClick;
    TGutterClickEvent OnGutterDblClick;
    TAdvMemoFileDropEvent OnFileDrop;

    /// The system caret's place: the left edge of the caret's cell, one pixel below its top.
    TPoint CaretPixel() const;

protected:
    void KeyDown(std::uint16_t& key, TShiftState shift) override;
    void KeyUp(std::uint16_t& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void ContextPopup(TPoint client, TPoint screen) override;
    void FilesDropped(const std::vector<std::string>& files) override;
    TCursor CursorAt(int x, int y) const override;
    void Paint() override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
    void FontChanged() override;
    void Resize() override;
    bool WantsKey(std::uint16_t key, TShiftState shift) const override;
    void DeleteLineOfStore(int index);
    /// Widens the gutter when the numbers shown outgrow four digits (and back).
    void FitGutterToNumbers();
    void DoEnter() override;
    void DoExit() override;

private:
    friend class TMemoEditing;
    friend class TMemoMouse;
    friend class TRefreshOff;

    void LinesChanged(const core::LineChange& change) override;
    /// The caret, for the editor's own parts: changes here raise no event.
    TCaretState& CaretState() { return caret_; }
    /// Puts the system caret where the caret stands, when shown and when it moved.
    void PlaceSystemCaret();
    void ShowSystemCaret();
    /// The end-of-move selection rule: extend when `extend`, else collapse.
    void FinishMove(bool extend);
    /// Shift is held and the caret still stands on the track point.
    bool ExtendsSelection(TShiftState shift) const;
    /// Puts the anchor back to `anchor` after a move.
    void KeepAnchor(TPoint anchor);
    template <class T> void SetStyle(T& field, T value) {
        StoreChanged(field, std::move(value), [this] { Invalidate(); });
    }
    template <class T> void SetLayoutStyle(T& field, T value) {
        StoreChanged(field, std::move(value), [this] {
            UpdateScrollBars();
            Invalidate();
        });
    }
    void CaretLineChanged(int oldLine);
    /// The frame the view lays out in: size, gutter, folding column, bar sizes.
    void UpdateFrame();
    /// Moves the bar controls to where the view wants them.
    void ApplyBars();
    void ScrollBarMoved(TScrollBar& bar, int position);
    bool SelectionShown() const;
    TRowContext RowContext(const TViewStyle& style) const;
    /// The style as rows are painted with it: the font's colour, the active line, folding.
    TViewStyle PaintStyle() const;
    TGutterRows GutterRows() const;
    void PaintRows(TCanvas& canvas, const TViewStyle& style, const TRect& text) const;
    void PaintFoldMarks(TCanvas& canvas, const TViewStyle& style, const TRect& rowRect, int line,
                        int& openBoxes) const;
    /// `line`, or the last line of the collapsed region that starts on it.
    int LastLineOfCollapsedRegion(int line) const;
    void PaintMargins(TCanvas& canvas, const TViewStyle& style, const TRect& text) const;
    void PaintBorder(TCanvas& canvas) const;

    std::unique_ptr<TAdvMemoStrings> lines_;
    bool trimTrailingSpaces_ = false;
    bool autoExpand_ = true;
    bool readOnly_ = false;
    bool delErase_ = false;
    bool autoIndent_ = true;
    bool enhancedHomeKey_ = false;
    bool smartTabs_ = false;
    bool hiddenCaret_ = false;
    bool acceptFiles_ = false;
    bool keyAllowsTyping_ = true;
    bool lastKeyWithoutCtrl_ = true;
    bool blinkSaved_ = false;
    std::uint32_t savedBlinkTime_ = 0;
    int undoLimit_ = 100;
    TAutoCorrect autoCorrect_;
    TKeptSettings kept_;
    TPopupMenu* popupMenu_ = nullptr;
    std::unique_ptr<TAdvUndoList> undoList_;
    std::unique_ptr<TMemoEditing> editing_;
    std::unique_ptr<TMemoMouse> mouse_;
    std::unique_ptr<TSystemCaret> systemCaret_;

    TCaretState caret_;
    TMemoView view_;
    TViewStyle style_;
    std::unique_ptr<TRowMap> rowMap_;
    int activeLine_ = -1;
    int regionCount_ = 0;
    int gutterDigits_ = 0;   // the digits of the largest line number, as the gutter was fitted
    int wheelRemainder_ = 0; // wheel delta not yet worth a notch
    bool refreshOn_ = true;
    bool applyingFont_ = false;

    TWordWrap wordWrap_ = TWordWrap::wwNone;
    TAdvActiveLineSettings activeLineSettings_;
    TCodeFolding codeFolding_;
    std::unique_ptr<TAdvGutter> gutter_;
    std::unique_ptr<TScrollBar> verticalBar_;
    std::unique_ptr<TScrollBar> horizontalBar_;
    std::unique_ptr<TBitmap> rowBitmap_; // one row, drawn off screen and copied
};

/// The published editor.
class TAdvMemo : public TAdvCustomMemo {
public:
    using TAdvCustomMemo::TAdvCustomMemo;
};
