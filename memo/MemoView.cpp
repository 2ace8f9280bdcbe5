// The view: character metrics, the visible window onto the lines, and painting. Painting
// reads the store and the view state; it never changes them.

#include <algorithm>

#include "memo/AdvMemo.h"
#include "platform/Graphics.h"

void TAdvCustomMemo::UpdateMetrics() {
    TBitmap measure(1, 1);
    TCanvas& canvas = measure.Canvas();
    canvas.Font().Assign(Font());
    charWidth_ = std::max(1, canvas.TextWidth("W"));
    lineHeight_ = std::max(1, canvas.TextHeight("W_") + 1);
}

void TAdvCustomMemo::FontChanged() {
    TCustomControl::FontChanged();
    UpdateMetrics();
    UpdateScrollBars();
    Invalidate();
}

void TAdvCustomMemo::Resize() {
    TCustomControl::Resize();
    UpdateScrollBars();
}

int TAdvCustomMemo::VisibleLineCount() const {
    return std::max(0, (ClientHeight() - 2) / lineHeight_);
}

int TAdvCustomMemo::VisibleColCount() const {
    return std::max(0, (ClientWidth() - textMargin_) / charWidth_);
}

void TAdvCustomMemo::SetTopLine(int line) {
    line = std::clamp(line, 0, std::max(0, lines_->Count() - 1));
    if (line == topLine_)
        return;
    topLine_ = line;
    Invalidate();
}

void TAdvCustomMemo::SetLeftCol(int column) {
    column = std::max(0, column);
    if (column == leftCol_)
        return;
    leftCol_ = column;
    Invalidate();
}

void TAdvCustomMemo::SetBkColor(TColor color) {
    if (color == bkColor_)
        return;
    bkColor_ = color;
    Invalidate();
}

void TAdvCustomMemo::ScrollCaretIntoView() {
    const int lastColumn = leftCol_ + VisibleColCount() - 1;
    const int lastLine = topLine_ + VisibleLineCount() - 1;
    int left = leftCol_;
    int top = topLine_;
    if (caretX_ < left)
        left = std::max(0, caretX_ - 2);
    else if (VisibleColCount() > 0 && caretX_ > lastColumn)
        left = std::max(0, left + caretX_ - lastColumn + 2);
    if (caretY_ < top)
        top = std::max(0, caretY_);
    else if (VisibleLineCount() > 0 && caretY_ > lastLine)
        top = top + caretY_ - lastLine;
    if (left != leftCol_ || top != topLine_) {
        leftCol_ = left;
        topLine_ = top;
        Invalidate();
    }
}

void TAdvCustomMemo::UpdateScrollBars() {
    // The view has no scroll bars yet; it keeps TopLine within the lines so a shrinking text
    // never leaves the view past its end.
    if (!refreshOn_)
        return;
    if (VisibleLineCount() >= lines_->Count())
        topLine_ = 0;
    else
        topLine_ = std::min(topLine_, std::max(0, lines_->Count() - 1));
}

bool TAdvCustomMemo::DoMouseWheel(TShiftState, int wheelDelta, TPoint) {
    const int notches = wheelDelta / 120;
    const int lastTop = std::max(0, lines_->Count() - VisibleLineCount());
    SetTopLine(std::clamp(topLine_ - notches * 3, 0, lastTop));
    return true;
}

void TAdvCustomMemo::Paint() {
    TCanvas& canvas = Canvas();
    canvas.Brush().Color = bkColor_;
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.FillRect(ClientRect());
    if (lines_->LockCount() > 0)
        return;
    canvas.Font().Assign(Font());
    const int rows = VisibleLineCount() + 1;
    for (int row = 0; row < rows; ++row) {
        const int line = topLine_ + row;
        if (line >= lines_->Count())
            break;
        const std::string& text = lines_->Get(line);
        if (static_cast<std::size_t>(leftCol_) >= text.size())
            continue;
        canvas.TextOut(textMargin_, 2 + row * lineHeight_,
                       std::string_view(text).substr(static_cast<std::size_t>(leftCol_)));
    }
}
