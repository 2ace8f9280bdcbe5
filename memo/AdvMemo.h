#pragma once
// The list editor: a custom-drawn control over its own line store.
//
// TAdvCustomMemo is the facade that keeps the names the behaviour speaks in (CaretX,
// SetCaretY, ResetSelection, TopLine...) over parts with one concern each: the line store
// and its document (AdvMemoStrings, LineRecords, core/TextDocument), caret and selection
// (CaretState, MemoCaret.cpp), the view model (MemoView), row painting (RowPainter), the row
// map (RowMap) and the gutter (Gutter). The editor listens to its document: caret,
// bookmarks and view follow the text. Painting reads the model and never changes it.

#include <functional>
#include <memory>
#include <string>

#include "memo/AdvMemoStrings.h"
#include "memo/CaretState.h"
#include "memo/Gutter.h"
#include "memo/MemoView.h"
#include "memo/RowMap.h"
#include "memo/ViewSettings.h"
#include "memo/ViewStyle.h"
#include "platform/Controls.h"
#include "platform/StdCtrls.h"

class TBitmap;
struct TRowContext;

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
    TPoint SelStart() const { return caret_.SelStart; }
    TPoint SelEnd() const { return caret_.SelEnd; }
    void SetSelection(TPoint start, TPoint end);
    bool SelectionEmpty() const { return caret_.SelectionEmpty(); }
    /// Collapses the selection to the caret.
    void ResetSelection();
    /// Deletes the caret line (a store of one line keeps one empty line).
    void DeleteLine();

    // --- bookmarks ---
    static constexpr int kBookmarkCount = TCaretState::kBookmarkCount;
    int Bookmark(int slot) const { return caret_.Bookmarks[static_cast<std::size_t>(slot)]; }
    void SetBookmark(int slot, int line) {
        caret_.Bookmarks[static_cast<std::size_t>(slot)] = line;
    }

    // --- undo ---
    /// Empties the undo list. Edits are not recorded yet (the editor takes no keyboard input
    /// so far), so there is nothing to empty; a new text calls this already.
    void ClearUndo() {}

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
    TAdvActiveLineSettings& ActiveLineSettings() { return activeLineSettings_; }
    TCodeFolding& CodeFolding() { return codeFolding_; }
    TAdvGutter& Gutter() { return *gutter_; }
    const TAdvGutter& Gutter() const { return *gutter_; }
    const TRowMap& RowMap() const { return *rowMap_; }
    /// Number of foldable regions found in the text (none without a styler).
    int RegionCount() const { return regionCount_; }

    /// The row painter of the gutter: editor, canvas, row rectangle, number index.
    std::function<void(TAdvCustomMemo& editor, TCanvas& canvas, const TRect& row, int index)>
        OnGutterDraw;

    // --- view: position and metrics ---
    const TMemoView& View() const { return view_; }
    int TopLine() const { return view_.TopLine(); }
    void SetTopLine(int line);
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
    int VisibleLineCount() const { return view_.VisibleLineCount(style_); }
    int LastVisibleCol() const { return view_.LastVisibleCol(style_); }
    int LastVisibleLine() const { return view_.LastVisibleLine(style_); }

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

protected:
    void Paint() override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
    void FontChanged() override;
    void Resize() override;
    void DoEnter() override;
    void DoExit() override;

private:
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
    void PaintFoldMarks(TCanvas& canvas, const TViewStyle& style, const TRect& rowRect, int line,
                        int& openBoxes) const;
    /// `line`, or the last line of the collapsed region that starts on it.
    int LastLineOfCollapsedRegion(int line) const;
    void PaintMargins(TCanvas& canvas, const TViewStyle& style, const TRect& text) const;
    void PaintBorder(TCanvas& canvas) const;

    std::unique_ptr<TAdvMemoStrings> lines_;
    bool trimTrailingSpaces_ = false;
    bool autoExpand_ = false;

    TCaretState caret_;
    TMemoView view_;
    TViewStyle style_;
    std::unique_ptr<TRowMap> rowMap_;
    int activeLine_ = -1;
    int regionCount_ = 0;
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
