// The editor's side of its view: font metrics, the frame the view lays out in, moving the
// view (bars, caret, active line, wheel), and the bar controls kept where the view wants them.

#include <algorithm>
#include <cstdlib>

#include "memo/AdvMemo.h"
#include "memo/CompletionList.h"
#include "memo/ParameterHint.h"
#include "platform/Caret.h"
#include "platform/Graphics.h"
#include "platform/SysColors.h"

// --- metrics -----------------------------------------------------------------------------

void TAdvCustomMemo::ApplyFont() {
    // A proportional font would break the cell grid: it is shown in "FixedSys" instead.
    TBitmap measure(1, 1);
    TCanvas& canvas = measure.Canvas();
    canvas.Font().Assign(Font());
    if (canvas.TextWidth("W") != canvas.TextWidth("i")) {
        applyingFont_ = true;
        Font().SetName("FixedSys");
        applyingFont_ = false;
        canvas.Font().Assign(Font());
    }
    // The cell: the width of "W", the height of "W_" plus one. The right margin is measured
    // in "w" widths, kept here so a paint measures nothing.
    view_.CharWidth = canvas.TextWidth("W");
    view_.LineHeight = canvas.TextHeight("W_") + 1;
    view_.MarginCharWidth = canvas.TextWidth("w");
    // The caret comes with keyboard input; the view repaints.
    Invalidate();
}

void TAdvCustomMemo::FontChanged() {
    TCustomControl::FontChanged();
    if (applyingFont_)
        return;
    ApplyFont();
    UpdateScrollBars();
}

// --- layout ------------------------------------------------------------------------------

void TAdvCustomMemo::UpdateFrame() {
    TViewFrame& frame = view_.Frame;
    frame.Width = Width();
    frame.Height = Height();
    const TAdvGutter& gutter = *gutter_;
    frame.GutterPart = gutter.Visible() && gutter.GutterWidth() > 2 ? gutter.Width() + 2 : 2;
    frame.FoldColumn = codeFolding_.Enabled() && RegionCount() > 0;
    frame.VerticalBarWidth = GetSystemMetrics(TSystemMetric::smCxVScroll);
    frame.HorizontalBarHeight = GetSystemMetrics(TSystemMetric::smCyHScroll);
    frame.WrapToClient = wordWrap_ == TWordWrap::wwClientWidth;
}

void TAdvCustomMemo::ApplyBars() {
    const std::pair<TScrollBar*, const TBarModel*> bars[] = {
        {verticalBar_.get(), &view_.Vertical}, {horizontalBar_.get(), &view_.Horizontal}};
    for (const auto& [bar, model] : bars) {
        bar->SetBounds(model->Bounds.Left, model->Bounds.Top, model->Bounds.Width(),
                       model->Bounds.Height());
        if (model->Visible)
            bar->SetParams(model->Position, 0, model->Max, model->Page);
        bar->SetVisible(model->Visible);
    }
}

// --- position ----------------------------------------------------------------------------

void TAdvCustomMemo::SetTopLine(int line) {
    if (view_.SetTopRow(style_, rowMap_->RowOfLine(line), RowCount())) {
        ApplyBars();
        Invalidate();
    }
}

void TAdvCustomMemo::SetLeftCol(int column) {
    if (view_.SetLeftCol(style_, column)) {
        ApplyBars();
        Invalidate();
    }
}

void TAdvCustomMemo::SetActiveLine(int line) {
    if (line == activeLine_)
        return;
    activeLine_ = line;
    if (activeLineSettings_.ShowActiveLine()) {
        // Outside the view, the line comes to its middle.
        if (line >= 0 && (line < TopLine() || line > LastVisibleLine()))
            SetTopLine(LineRowsAway(line, -(VisibleLineCount() / 2)));
        Invalidate();
    } else {
        InvalidateRect(gutter_->BoundsRect());
    }
}

void TAdvCustomMemo::ScrollCaretIntoView() {
    const bool strict = style_.ScrollMode == TScrollMode::smStrict;
    // Columns: two to spare on the side the caret left by; without a bar in strict mode the
    // caret comes back instead (which scrolls the view itself, so the position is read after).
    const int caretX = CaretX();
    int leftCol = LeftCol();
    if (caretX < leftCol) {
        leftCol = std::max(0, caretX - 2);
    } else if (const int last = LastVisibleCol(); caretX > last && VisibleColCount() > 0) {
        if (!style_.HorizontalBarAllowed() && strict) {
            SetCaretX(last);
            leftCol = LeftCol();
        } else {
            leftCol = std::max(0, leftCol + caretX - last + 2);
        }
    }
    bool moved = view_.SetLeftCol(style_, leftCol);
    // Rows, likewise.
    const int caretRow = rowMap_->RowOfLine(CaretY());
    int topRow = view_.TopRow();
    if (caretRow < topRow) {
        topRow = std::max(0, caretRow);
    } else if (const int last = view_.LastVisibleRow(style_);
               caretRow > last && VisibleLineCount() > 0) {
        if (!style_.VerticalBarAllowed() && strict) {
            SetCaretY(rowMap_->LineOfRow(last));
            topRow = view_.TopRow();
        } else {
            topRow = topRow + caretRow - last;
        }
    }
    moved = view_.SetTopRow(style_, topRow, RowCount()) || moved;
    // Repaint when the view moved.
    if (moved) {
        ApplyBars();
        Invalidate();
    }
}

// --- scroll bars -------------------------------------------------------------------------

void TAdvCustomMemo::SetWordWrap(TWordWrap value) {
    if (value == wordWrap_)
        return;
    wordWrap_ = value;
    UpdateScrollBars(); // wrapping at the client width takes the horizontal bar away
}

void TAdvCustomMemo::UpdateScrollBars() {
    if (!RefreshOn() || LineHeight() == 0)
        return;
    UpdateFrame();
    view_.UpdateBars(style_, RowCount(), LongestLine(), CaretX());
    ApplyBars();
    // Gutter and text follow.
    gutter_->SetHeight(TextArea().Height());
    Invalidate();
}

void TAdvCustomMemo::ScrollBarMoved(TScrollBar& bar, int position) {
    if (&bar == verticalBar_.get())
        SetTopLine(rowMap_->LineOfRow(position)); // the bar counts rows
    else
        SetLeftCol(position);
}

int TAdvCustomMemo::LineRowsAway(int line, int rows) const {
    const int last = std::max(0, RowCount() - 1);
    return rowMap_->LineOfRow(std::clamp(rowMap_->RowOfLine(line) + rows, 0, last));
}

void TAdvCustomMemo::SetRowMap(std::unique_ptr<TRowMap> map) {
    const int topLine = TopLine();
    ownRowMap_ = std::move(map);
    rowMap_ = ownRowMap_ ? ownRowMap_.get() : &model_.Folding();
    UpdateScrollBars();
    SetTopLine(topLine);
    Invalidate();
}

void TAdvCustomMemo::FitGutterToNumbers() {
    // Measured only when the digits of the largest number change, which a list crosses a
    // handful of times on its way to millions of lines.
    const int digits = gutter_->DigitsShown(Lines().Count());
    if (digits == gutterDigits_)
        return;
    gutterDigits_ = digits;
    TBitmap measure(1, 1);
    measure.Canvas().Font().Assign(gutter_->Font());
    if (gutter_->FitNumbers(digits, measure.Canvas().TextWidth("0")))
        Resize();
}

void TAdvCustomMemo::Resize() {
    TCustomControl::Resize();
    if (LineHeight() == 0)
        return;
    // Without word wrap the lines do not move: the view keeps its first line while it scrolls
    // at all (when every line fits, it starts at the top).
    const int topLine = TopLine();
    UpdateScrollBars();
    ScrollCaretIntoView();
    SetTopLine(topLine);
    Invalidate();
}

bool TAdvCustomMemo::DoMouseWheel(TShiftState, int wheelDelta, TPoint) {
    if (!verticalBar_->Visible())
        return false;
    // Three lines a notch of 120, each as a click on the bar's arrow; smaller steps (a
    // touchpad's) add up until they make a notch.
    wheelRemainder_ += wheelDelta;
    const int notches = wheelRemainder_ / 120;
    wheelRemainder_ -= notches * 120;
    const TScrollCode code = notches > 0 ? TScrollCode::scLineUp : TScrollCode::scLineDown;
    for (int i = 0; i < 3 * std::abs(notches); ++i)
        verticalBar_->Scroll(code);
    return true;
}

// --- focus -------------------------------------------------------------------------------

bool TAdvCustomMemo::SelectionShown() const {
    return !style_.HideSelection || Focused();
}

void TAdvCustomMemo::DoEnter() {
    TCustomControl::DoEnter();
    if (LineHeight() == 0)
        ApplyFont();
    // The caret: 2 pixels wide, two less than a line high.
    systemCaret_->Create(2, LineHeight() - 2);
    systemCaret_->SetPos(CaretPixel());
    if (!blinkSaved_)
        savedBlinkTime_ = GetCaretBlinkTime();
    ShowSystemCaret();
    Invalidate();
}

void TAdvCustomMemo::DoExit() {
    TCustomControl::DoExit();
    // The typing aids' windows go with the focus.
    completion_->Cancel();
    parameterHint_->Hide();
    if (blinkSaved_) {
        blinkSaved_ = false;
        SetCaretBlinkTime(savedBlinkTime_);
    }
    systemCaret_->Destroy();
    Invalidate();
}
// --- the system caret ----------------------------------------------------------------------

TPoint TAdvCustomMemo::CaretPixel() const {
    const TRect cell = CellRect(CaretX() - LeftCol(), ScreenRowOfLine(CaretY()));
    return {cell.Left, cell.Top};
}

void TAdvCustomMemo::PlaceSystemCaret() {
    if (!systemCaret_ || !systemCaret_->Created())
        return;
    // Moved only when its pixel place changed.
    const TPoint at = CaretPixel();
    if (at != systemCaret_->Pos())
        systemCaret_->SetPos(at);
}

void TAdvCustomMemo::ShowSystemCaret() {
    if (systemCaret_->Created() && !hiddenCaret_)
        systemCaret_->Show();
}

void TAdvCustomMemo::SetHiddenCaret(bool value) {
    hiddenCaret_ = value;
    if (!Focused() || !systemCaret_->Created())
        return;
    if (value)
        systemCaret_->Hide();
    else
        systemCaret_->Show();
}
