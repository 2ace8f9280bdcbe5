#pragma once
// The list editor: a custom-drawn control over its own line store.
//
// TAdvCustomMemo is the control that joins the editor's model, its view and the platform, and
// keeps the names the behaviour speaks in (CaretX, SetCaretY, ResetSelection, TopLine...) as
// thin forwarders to the part that holds each.
//
// The model works without a window: the line store and its document (AdvMemoStrings,
// LineRecords, core/TextDocument), caret, selection, settings, caret rules and moves
// (EditorModel, CaretState), the text operations with their undo list (MemoEditing,
// MemoUndo), and the keyboard's handling order over the key tables (MemoKeyboard,
// MemoKeyTable). It asks what it needs of the view through TEditorHost, which this control
// implements: painting, scrolling the caret into view, the system caret, rows, events and the
// clipboard.
//
// The view is the control's own: the view model (MemoView), row painting (RowPainter), the
// row map (RowMap), the gutter (Gutter), scrolling (MemoScrolling.cpp), painting
// (MemoPaint.cpp), and the pointer (MemoMouse). Painting reads the model and never changes it;
// every text change goes through the line store into the document's primitives.
//
// Hooks of parts not built yet stay minimal: with no styler the word sets are the plain ones,
// folding has no regions to skip or open, and word wrap is off. A memo checker
// (MemoChecker.h) is called when a program assigns one; Dyadlist's window assigns none.
// Auto-completion and parameter hints (CompletionList, ParameterHint) are windows of their
// own that need a styler's entries: without one Ctrl+Space only swallows its space.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "memo/model/AdvMemoStrings.h"
#include "memo/model/CaretState.h"
#include "memo/model/EditorModel.h"
#include "memo/model/MemoChecker.h"
#include "memo/Gutter.h"
#include "memo/KeptSettings.h"
#include "memo/model/MemoEditing.h"
#include "memo/model/MemoKeyboard.h"
#include "memo/MemoView.h"
#include "memo/model/RowMap.h"
#include "memo/RowPainter.h"
#include "memo/Styler.h"
#include "memo/ViewSettings.h"
#include "memo/ViewStyle.h"
#include "platform/Controls.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"

class TBitmap;
class TImageList;
class TMemoCompletion;
class TParameterHint;
struct TRowContext;
class TMemoMouse;
class TPopupMenu;
class TSystemCaret;

using TKeyEvent = std::function<void(TObject* sender, std::uint16_t& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;
using TAllowEvent = std::function<void(TObject* sender, bool& allow)>;
using TColumnEvent = std::function<void(TObject* sender, int column)>;
/// The word that ended, and what it becomes (the handler may change `replacement`).
using TMemoWordEvent =
    std::function<void(TObject* sender, const std::string& word, std::string& replacement)>;
using TUndoChangeEvent = std::function<void(TObject* sender, bool canUndo, bool canRedo)>;
using TGutterClickEvent = std::function<void(TObject* sender, int line)>;
using TURLClick = std::function<void(TObject* sender, const std::string& url)>;
/// Completion's events: the upper-cased word and whether the list may open; the word and the
/// candidates, which the handler may change; the text an entry inserts, which it may change.
using TMemoBeforeCompleteEvent =
    std::function<void(TObject* sender, const std::string& word, bool& allow)>;
using TMemoGetCompletionListEvent = std::function<void(
    TObject* sender, const std::string& word, std::vector<TCompletionEntry>& candidates)>;
using TMemoInsertCompletionEntryEvent = std::function<void(TObject* sender, std::string& text)>;
using TAdvMemoFileDropEvent =
    std::function<void(TObject* sender, const std::string& fileName, bool& allow)>;

class TAdvCustomMemo : public TCustomControl,
                       private TEditorHost,
                       private core::DocumentListener {
public:
    explicit TAdvCustomMemo(TWinControl* parent);
    ~TAdvCustomMemo() override;

    /// The model and its text operations, for the editor's own parts.
    TEditorModel& Model() { return model_; }
    const TEditorModel& Model() const { return model_; }
    TMemoEditing& Editing() { return editing_; }

    // --- text ---
    TAdvMemoStrings& Lines() { return model_.Lines(); }
    const TAdvMemoStrings& Lines() const { return model_.Lines(); }
    /// Clear, AddStrings(list); with TrimTrailingSpaces every line loses its trailing spaces;
    /// then the selection-changed notification and a repaint.
    void SetLines(const TStrings& list);
    int TabSize() const { return Lines().TabSize(); }
    void SetTabSize(int value);
    bool TrimTrailingSpaces() const { return model_.TrimTrailingSpaces(); }
    void SetTrimTrailingSpaces(bool value) { model_.SetTrimTrailingSpaces(value); }
    bool AutoExpand() const { return model_.Settings().AutoExpand; }
    void SetAutoExpand(bool value) { model_.Settings().AutoExpand = value; }
    /// The greatest line length in characters, used for horizontal scrolling.
    int LongestLine() const { return Lines().Document().LongestLine(); }

    /// The editor's clear operation: the store ends with 0 lines, caret, selection and scroll
    /// position at the start; the undo list is kept.
    void Clear();

    // --- caret and selection ---
    const TCaretState& Caret() const { return model_.Caret(); }
    int CaretX() const { return model_.CaretX(); }
    int CaretY() const { return model_.CaretY(); }
    void SetCaretX(int column) { model_.SetCaretX(column); }
    void SetCaretY(int line) { model_.SetCaretY(line); }
    /// ResetSelection, CaretX := 0, SetCaretY(line), SetCaretX(column).
    void SetCaretPosition(int column, int line) { model_.SetCaretPosition(column, line); }
    /// Anchor and moving end, unordered (Caret() has the track point too).
    void SetSelection(TPoint start, TPoint end) { model_.SetSelection(start, end); }
    bool SelectionEmpty() const { return model_.SelectionEmpty(); }
    void ResetSelection() { model_.ResetSelection(); }
    void ExtendSelection() { model_.ExtendSelection(); }
    /// The linear offset of the ordered selection's start, and the selected text's length.
    int SelStart() const { return model_.SelStart(); }
    int SelLength() const { return model_.SelLength(); }
    bool SelectionHasText() const { return model_.SelectionHasText(); }
    std::string GetSelectedText() const { return model_.GetSelectedText(); }
    void SelectAll() { model_.SelectAll(); }
    bool OverwriteMode() const { return Caret().OverwriteMode; }
    void SetOverwriteMode(bool value) { model_.SetOverwriteMode(value); }
    bool RegionsStale() const { return Caret().RegionsStale; }

    // --- editing properties ---
    bool ReadOnly() const { return model_.Settings().ReadOnly; }
    void SetReadOnly(bool value) { model_.Settings().ReadOnly = value; }
    /// Typing, Delete and Backspace replace a non-empty selection.
    bool DelErase() const { return model_.Settings().DelErase; }
    void SetDelErase(bool value) { model_.Settings().DelErase = value; }
    bool AutoIndent() const { return model_.Settings().AutoIndent; }
    void SetAutoIndent(bool value) { model_.Settings().AutoIndent = value; }
    bool EnhancedHomeKey() const { return model_.Settings().EnhancedHomeKey; }
    void SetEnhancedHomeKey(bool value);
    bool SmartTabs() const { return model_.Settings().SmartTabs; }
    void SetSmartTabs(bool value);
    bool WantTab() const { return WantTabs(); }
    void SetWantTab(bool value) { SetWantTabs(value); }
    bool HiddenCaret() const { return hiddenCaret_; }
    void SetHiddenCaret(bool value);
    TAutoCorrect& AutoCorrect() { return model_.Settings().AutoCorrect; }
    /// The checker that Enter, Tab and space call; not owned, none by default.
    TAdvMemoChecker* MemoChecker() const { return model_.MemoChecker(); }
    void SetMemoChecker(TAdvMemoChecker* checker) { model_.SetMemoChecker(checker); }
    /// Styler, soft wrap, completion, hint, marker and print settings: stored and kept.
    TKeptSettings& Kept() { return kept_; }
    const TKeptSettings& Kept() const { return kept_; }
    /// The control's own popup menu; while one is assigned the editor shows none of its own.
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu) { popupMenu_ = menu; }
    /// Files dropped from the desktop are loaded (see OnFileDrop).
    bool AcceptFiles() const { return acceptFiles_; }
    void SetAcceptFiles(bool value);

    // --- editing operations ---
    void InsertChar(char ch) { editing_.InsertChar(ch); }
    void NewLine() { editing_.NewLine(); }
    void TabKey(TShiftState shift) { editing_.TabKey(shift); }
    void Backspace() { editing_.Backspace(); }
    void DeleteWordBack() { editing_.DeleteWordBack(); }
    void DeleteChar() { editing_.DeleteChar(); }
    void DeleteLine() { editing_.DeleteLine(); }
    bool DeleteSelection(bool repaint) { return editing_.DeleteSelection(repaint); }
    void InsertText(std::string_view text) { editing_.InsertText(text); }

    // --- keyboard and moves ---
    /// Runs the command of a key code or control character with `shift`.
    void KeyCommand(int code, TShiftState shift);
    void ArrowMove(int dx, int dy, TShiftState shift) { model_.ArrowMove(dx, dy, shift); }
    void WordMoveRight() { model_.WordMoveRight(); }
    void WordMoveLeft() { model_.WordMoveLeft(); }
    void HomeMove(TShiftState shift) { model_.HomeMove(shift); }
    void EndMove(TShiftState shift) { model_.EndMove(shift); }
    void PageMove(int direction, TShiftState shift) { model_.PageMove(direction, shift); }
    void WordCompletionStep() { editing_.WordCompletionStep(); }
    /// The Insert key: when OnOverwriteToggle allows, recorded and inverted.
    void ToggleOverwriteMode() { editing_.ToggleOverwriteMode(); }

    // --- clipboard ---
    void CopyToClipboard() { editing_.CopyToClipboard(); }
    void CutToClipboard() { editing_.CutToClipboard(); }
    void PasteFromClipboard() { editing_.PasteFromClipboard(); }

    // --- bookmarks ---
    static constexpr int kBookmarkCount = TCaretState::kBookmarkCount;
    int Bookmark(int slot) const { return Caret().Bookmarks[static_cast<std::size_t>(slot)]; }
    void SetBookmark(int slot, int line) {
        model_.CaretState().Bookmarks[static_cast<std::size_t>(slot)] = line;
    }

    // --- undo ---
    TAdvUndoList& UndoList() { return editing_.UndoList(); }
    void Undo() { editing_.Undo(); }
    void Redo();
    void ClearUndo() { editing_.ClearUndo(); }
    bool CanUndo() const { return editing_.UndoList().CanUndo(); }
    bool CanRedo() const { return editing_.UndoList().CanRedo(); }
    int UndoLimit() const { return editing_.UndoLimit(); }
    /// Clamped to 1..100; a new limit empties the list.
    void SetUndoLimit(int value) { editing_.SetUndoLimit(value); }
    /// True while the undo list holds a record.
    bool Modified() const { return editing_.Modified(); }
    /// False empties the undo list and clears every line's modified mark; true changes nothing.
    void SetModified(bool value) { editing_.SetModified(value); }

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
    void SetUrlAware(bool value);
    const TCharStyle& UrlStyle() const { return style_.UrlStyle; }
    void SetUrlStyle(const TCharStyle& style) { SetStyle(style_.UrlStyle, style); }
    // --- syntax styler ---
    TAdvCustomMemoStyler* SyntaxStyles() const { return styler_.Get(); }
    /// Paints by `styler` (nil: plain text), switching UseStyler on with one, and owns its
    /// element collection from now on.
    void SetSyntaxStyles(TAdvCustomMemoStyler* styler);
    bool UseStyler() const { return useStyler_; }
    void SetUseStyler(bool value);
    /// Keywords match only in their own letter case.
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool value);

    TWordWrap WordWrap() const { return wordWrap_; }
    void SetWordWrap(TWordWrap value);
    TAdvActiveLineSettings& ActiveLineSettings() { return activeLineSettings_; }
    TCodeFolding& CodeFolding() { return codeFolding_; }
    /// Gutter images for some lines (none in the main window).
    TAdvMarkerList& MarkerList() { return model_.Markers(); }
    TAdvGutter& Gutter() { return *gutter_; }
    const TAdvGutter& Gutter() const { return *gutter_; }
    const TRowMap& RowMap() const { return *rowMap_; }
    /// Puts `map` in the identity's place (folding and word wrap fill their own).
    void SetRowMap(std::unique_ptr<TRowMap> map);
    /// Number of foldable regions found in the text (none without a styler).
    int RegionCount() const { return model_.Folding().RegionCount(); }

    /// The row painter of the gutter: editor, canvas, row rectangle, number index.
    std::function<void(TAdvCustomMemo& editor, TCanvas& canvas, const TRect& row, int index)>
        OnGutterDraw;

    // --- view: position and metrics ---
    const TMemoView& View() const { return view_; }
    /// The line shown in the first row of the view.
    int TopLine() const override { return rowMap_->LineOfRow(view_.TopRow()); }
    void SetTopLine(int line) override;

    // --- rows: lines as the view shows them, through the row map ---
    /// The rows the text takes.
    int RowCount() const override { return rowMap_->RowCount(Lines().Count()); }
    /// The screen row (0: the view's first) that shows `line`; negative above the view.
    int ScreenRowOfLine(int line) const { return rowMap_->RowOfLine(line) - view_.TopRow(); }
    /// The line shown in screen row `row`.
    int LineOfScreenRow(int row) const { return rowMap_->LineOfRow(view_.TopRow() + row); }
    /// The line `rows` rows away from `line` (up when negative), within the text.
    int LineRowsAway(int line, int rows) const override;
    int LeftCol() const override { return view_.LeftCol(); }
    void SetLeftCol(int column) override;
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

    void ScrollCaretIntoView() override;
    void UpdateScrollBars() override;
    TScrollBar& VerticalBar() { return *verticalBar_; }
    TScrollBar& HorizontalBar() { return *horizontalBar_; }

    /// Applies the editor font: a font whose "W" and "i" differ in width is shown in "FixedSys".
    void ApplyFont();

    // --- refresh ---
    /// While the refresh is off the store's changes do not reach the view.
    bool RefreshOn() const { return model_.RefreshOn(); }
    void SetRefreshOn(bool value) { model_.SetRefreshOn(value); }
    /// What a change of the store sets off: OnChange, scroll bars, caret into view, a full
    /// repaint.
    void RefreshStep() { model_.RefreshStep(); }

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
    /// A click opened the link `url`; while assigned, the desktop is not asked.
    TURLClick OnURLClick;
    /// Hands a link to the desktop (the platform's opener; tests put their own).
    std::function<bool(const std::string& url)> UrlOpener;

    /// Runs from "." or "(" until completion looks for its list (and, without a styler's
    /// entries, finds none).
    TTimer& CompletionTimer() { return *completionTimer_; }
    /// The completion list and the parameter hint.
    TMemoCompletion& Completion() { return *completion_; }
    TParameterHint& ParameterHint() { return *parameterHint_; }
    /// Shows the parameter hint of the call at the caret (unless hpNone).
    void ShowParameterHint() override;
    /// The completion list's kind images (none: its built-in ones).
    TImageList* AutoCompletionListImages() const;
    void SetAutoCompletionListImages(TImageList* images);
    TMemoBeforeCompleteEvent OnBeforeAutoCompletion;
    TMemoGetCompletionListEvent OnGetAutoCompletionList;
    TNotifyEvent OnStartAutoCompletion;
    TMemoInsertCompletionEntryEvent OnInsertAutoCompletionEntry;
    TNotifyEvent OnAutoCompletion;
    TNotifyEvent OnCancelAutoCompletion;

    /// The system caret's place: the left edge of the caret's cell, one pixel below its top.
    TPoint CaretPixel() const;
    /// Puts the system caret where the caret stands, when shown and when it moved.
    void PlaceSystemCaret() override;
    /// Shows the system caret when the editor has one and HiddenCaret is off.
    void ShowSystemCaret();

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
    /// Widens the gutter when the numbers shown outgrow four digits (and back).
    void FitGutterToNumbers();
    void DoEnter() override;
    void DoExit() override;

private:
    // --- the model's host (AdvMemo.cpp) ---
    void InvalidateText() override { Invalidate(); }
    void RepaintText() override { Repaint(); }
    void InvalidateLines(int first, int last) override;
    void CaretGoesToLine(int line) override;
    int PageRows() const override;
    void Notify(TEditorNotice notice) override;
    bool AllowOverwriteToggle() override;
    bool StartAutoCompletion() override;
    void StartCompletionTimer() override;
    void WordCompleted(const std::string& word, std::string& replacement) override;
    void PutOnClipboard(const std::string& bytes) override;
    bool ClipboardHasText() const override;
    std::string ClipboardBytes() const override;

    /// The view follows the document: the gutter fits the numbers, a new text has no regions.
    void LinesChanged(const core::LineChange& change) override;
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
    /// The language and token colours from the styler (or none), the line states dropped.
    void PrepareStyler();
    /// Stops owning the styler's elements, when this editor owns them.
    void LetGoOfStyler();
    /// The block words the caret stands on and their partner, within the lines shown.
    void MatchBlockAtCaret();
    bool PaintsByStyler() const { return styler_.Get() && useStyler_; }
    void PaintFoldMarks(TCanvas& canvas, const TViewStyle& style, const TRect& rowRect, int line,
                        int& openBoxes) const;
    /// `line`, or the last line of the collapsed region that starts on it.
    void PaintMargins(TCanvas& canvas, const TViewStyle& style, const TRect& text) const;
    void PaintBorder(TCanvas& canvas) const;

    TEditorModel model_{*this};
    TMemoEditing editing_{model_};
    TMemoKeyboard keyboard_{editing_};
    TFreeLink<TAdvCustomMemoStyler> styler_{[this] { PrepareStyler(); }};
    bool useStyler_ = true;
    bool caseSensitive_ = false;
    TLanguage language_;                          // the styler's, as the tokenizer reads it
    TLineStates lineStates_{Lines().Document()}; // where each line starts in it
    TTokenStyles tokenStyles_;
    std::optional<TBlockPair> block_; // the block words matched at the caret
    bool hiddenCaret_ = false;
    bool acceptFiles_ = false;
    bool blinkSaved_ = false;
    std::uint32_t savedBlinkTime_ = 0;
    TKeptSettings kept_;
    TPopupMenu* popupMenu_ = nullptr;
    std::unique_ptr<TMemoMouse> mouse_;
    std::unique_ptr<TSystemCaret> systemCaret_;
    std::unique_ptr<TTimer> completionTimer_;
    std::unique_ptr<TMemoCompletion> completion_;
    std::unique_ptr<TParameterHint> parameterHint_;
    bool lastKeyWithoutCtrl_ = true; // a caret move after a key with Ctrl leaves the hint be

    TMemoView view_;
    TViewStyle style_;
    const TRowMap* rowMap_;               // the folding's rows, or one a program set
    std::unique_ptr<TRowMap> ownRowMap_;
    int activeLine_ = -1;
    int gutterDigits_ = 0;   // the digits of the largest line number, as the gutter was fitted
    int wheelRemainder_ = 0; // wheel delta not yet worth a notch
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
