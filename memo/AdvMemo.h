#pragma once
// The list editor: a custom-drawn control over its own line store.
//
// TAdvCustomMemo is the facade that keeps the names the behaviour speaks in (CaretX,
// SetCaretY, ResetSelection, TopLine...). Its concerns live in files of their own: the line
// store (AdvMemoStrings), caret and selection rules (MemoCaret.cpp), the view's metrics,
// layout and scrolling (MemoView.cpp), the painting of rows (MemoRows.cpp) and the gutter
// (Gutter). Painting reads the model and never changes it.

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "memo/AdvMemoStrings.h"
#include "memo/Gutter.h"
#include "memo/ViewSettings.h"
#include "platform/Controls.h"
#include "platform/StdCtrls.h"

class TBitmap;

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

    // --- view: properties ---
    TColor BkColor() const { return bkColor_; }
    void SetBkColor(TColor color);
    TColor SelColor() const { return selColor_; }
    void SetSelColor(TColor color);
    TColor SelBkColor() const { return selBkColor_; }
    void SetSelBkColor(TColor color);
    /// Show the selection only while the editor has the focus.
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value);
    int RightMargin() const { return rightMargin_; }
    void SetRightMargin(int column);
    bool ShowRightMargin() const { return showRightMargin_; }
    void SetShowRightMargin(bool value);
    TColor RightMarginColor() const { return rightMarginColor_; }
    void SetRightMarginColor(TColor color);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool value);
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor color);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle style);
    TScrollMode ScrollMode() const { return scrollMode_; }
    void SetScrollMode(TScrollMode mode) { scrollMode_ = mode; }
    TColor BreakpointColor() const { return breakpointColor_; }
    void SetBreakpointColor(TColor color);
    TColor BreakpointTextColor() const { return breakpointTextColor_; }
    void SetBreakpointTextColor(TColor color);
    bool BlockShow() const { return blockShow_; }
    void SetBlockShow(bool value);
    TColor BlockColor() const { return blockColor_; }
    void SetBlockColor(TColor color);
    TColor BlockLineColor() const { return blockLineColor_; }
    void SetBlockLineColor(TColor color);
    bool UrlAware() const { return urlAware_; }
    void SetUrlAware(bool value);
    const TUrlStyle& UrlStyle() const { return urlStyle_; }
    void SetUrlStyle(const TUrlStyle& style);
    TWordWrap WordWrap() const { return wordWrap_; }
    TAdvActiveLineSettings& ActiveLineSettings() { return activeLineSettings_; }
    TCodeFolding& CodeFolding() { return codeFolding_; }
    TAdvGutter& Gutter() { return *gutter_; }
    const TAdvGutter& Gutter() const { return *gutter_; }
    /// Lines before `line` that are word-wrap continuations (none without word wrap).
    int WrappedContinuationsBefore(int line) const;
    /// Re-lays out the view after the gutter's width changed.
    void GutterResized();
    /// Number of foldable regions found in the text (none without a styler).
    int RegionCount() const { return regionCount_; }
    void ResetRegionCount() { regionCount_ = 0; }

    /// The row painter of the gutter: editor, canvas, row rectangle, number index.
    std::function<void(TAdvCustomMemo& editor, TCanvas& canvas, const TRect& row, int index)>
        OnGutterDraw;

    // --- view: position and metrics ---
    int TopLine() const { return topLine_; }
    void SetTopLine(int line);
    int LeftCol() const { return leftCol_; }
    void SetLeftCol(int column);
    int CharWidth() const { return charWidth_; }
    int LineHeight() const { return lineHeight_; }
    int TextMargin() const { return textMargin_; }
    /// The active line, or -1; follows the caret only while ActiveLineAtCursor is on.
    int ActiveLine() const { return activeLine_; }
    void SetActiveLine(int line);

    /// Where the text is drawn: right of the gutter, inside the border and the scroll bars.
    TRect TextArea() const;
    /// The 16 pixels left of the text area where fold marks go, when folding is enabled.
    TRect FoldingColumn() const;
    /// The pixel rectangle of a character cell, counted from the view's origin.
    TRect CellRect(int column, int row) const;
    /// The cell whose nearer boundary is at (x, y).
    TPoint PointToCell(int x, int y) const;
    /// The text column and line under (x, y).
    TPoint PointToTextPosition(int x, int y) const;
    int VisibleColCount() const;
    int VisibleLineCount() const;
    int LastVisibleCol() const;
    int LastVisibleLine() const;

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
    void DoEnter() override;
    void DoExit() override;

private:
    void CaretLineChanged(int oldLine);
    template <class T> void SetViewProperty(T& field, T value);
    bool VerticalBarAllowed() const;
    bool HorizontalBarAllowed() const;
    bool UpdateScrollBarsOnce();
    void ScrollBarMoved(TScrollBar& bar, int position);
    bool SelectionShown() const;
    /// Draws line `line` into the row bitmap, ready to be copied to its row.
    void PaintRow(TBitmap& rowBitmap, int line);
    void PaintFoldMarks(TCanvas& canvas, const TRect& rowRect, int line, int& openBoxes);
    /// `line`, or the last line of the collapsed region that starts on it.
    int LastLineOfCollapsedRegion(int line) const;
    void PaintMarkedRanges(TCanvas& canvas, int line) const;
    void PaintCollapsedMarker(TCanvas& canvas, int textEnd) const;
    void PaintBorder(TCanvas& canvas);

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
    int charWidth_ = 0;
    int lineHeight_ = 0;
    int marginCharWidth_ = 0;
    int textMargin_ = 2;
    int activeLine_ = -1;
    int cachedScanLine_ = -1;
    int regionCount_ = 0;
    bool refreshOn_ = true;
    bool applyingFont_ = false;

    TColor bkColor_ = clWhite;
    TColor selColor_ = clWhite;
    TColor selBkColor_ = clNavy;
    bool hideSelection_ = true;
    int rightMargin_ = 80;
    bool showRightMargin_ = true;
    TColor rightMarginColor_ = 0xE2E2E2;
    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
    bool ctl3D_ = false;
    TColor borderColor_ = 0x808080;
    TScrollStyle scrollBars_ = TScrollStyle::ssBoth;
    TScrollMode scrollMode_ = TScrollMode::smAuto;
    TColor breakpointColor_ = 0x0000FF;
    TColor breakpointTextColor_ = clWhite;
    bool blockShow_ = true;
    TColor blockColor_ = 0xFFFF00;
    TColor blockLineColor_ = clNone;
    bool urlAware_ = true;
    TUrlStyle urlStyle_;
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
