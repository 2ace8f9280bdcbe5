// The view: font metrics, the layout of gutter, folding column and text area, the visible
// window onto the lines, the scroll bars, and the order of a paint. Row painting is in
// MemoRows.cpp, the gutter in Gutter.cpp.

#include <algorithm>

#include "memo/AdvMemo.h"
#include "platform/Graphics.h"
#include "platform/SysColors.h"

// --- metrics ---------------------------------------------------------------------------------

void TAdvCustomMemo::ApplyFont() {
    // 1. A proportional font would break the cell grid: it is shown in "FixedSys" instead.
    TBitmap measure(1, 1);
    TCanvas& canvas = measure.Canvas();
    canvas.Font().Assign(Font());
    if (canvas.TextWidth("W") != canvas.TextWidth("i")) {
        applyingFont_ = true;
        Font().SetName("FixedSys");
        applyingFont_ = false;
        canvas.Font().Assign(Font());
    }
    // 2. The cell: the width of "W", the height of "W_" plus one.
    charWidth_ = canvas.TextWidth("W");
    lineHeight_ = canvas.TextHeight("W_") + 1;
    // The right margin is measured in "w" widths; kept here so a paint measures nothing.
    marginCharWidth_ = canvas.TextWidth("w");
    // 4. The caret comes with keyboard input; the view repaints.
    Invalidate();
}

void TAdvCustomMemo::FontChanged() {
    TCustomControl::FontChanged();
    if (applyingFont_)
        return;
    ApplyFont();
    UpdateScrollBars();
}

// --- layout ----------------------------------------------------------------------------------

bool TAdvCustomMemo::VerticalBarAllowed() const {
    return scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth;
}

bool TAdvCustomMemo::HorizontalBarAllowed() const {
    return scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth;
}

TRect TAdvCustomMemo::TextArea() const {
    // 1. The gutter's part.
    const TAdvGutter& gutter = *gutter_;
    const int gutterPart =
        gutter.Visible() && gutter.GutterWidth() > 2 ? gutter.GutterWidth() + 2 : 2;
    // 2. The text area inside the scroll bars that are shown.
    const bool vertical = VerticalBarAllowed();
    const bool horizontal = HorizontalBarAllowed();
    TRect r;
    r.Left = gutterPart + textMargin_;
    r.Top = 2;
    r.Right = Width() - 2 - (vertical && verticalBar_->Visible() ? verticalBar_->Width() : 0);
    r.Bottom =
        Height() - 2 - (horizontal && horizontalBar_->Visible() ? horizontalBar_->Height() : 0);
    // 3. The border's share.
    const int grow = borderStyle_ == TBorderStyle::bsNone ? 2 : (ctl3D_ ? 0 : 1);
    r.Left -= grow;
    r.Top -= grow;
    r.Right += grow;
    r.Bottom += grow;
    // 4. Fold marks get room of their own only while there are regions.
    if (codeFolding_.Enabled() && regionCount_ > 0)
        r.Left += 16;
    return r;
}

TRect TAdvCustomMemo::FoldingColumn() const {
    const TRect text = TextArea();
    return Rect(text.Left - 16, text.Top, text.Left, text.Bottom);
}

TRect TAdvCustomMemo::CellRect(int column, int row) const {
    const TRect text = TextArea();
    return Bounds(column * charWidth_ + text.Left, row * lineHeight_ + text.Top + 1, charWidth_,
                  lineHeight_);
}

TPoint TAdvCustomMemo::PointToCell(int x, int y) const {
    if (charWidth_ == 0 || lineHeight_ == 0)
        return {0, 0};
    const TRect text = TextArea();
    return {(x - text.Left + charWidth_ / 2) / charWidth_, (y - text.Top) / lineHeight_};
}

TPoint TAdvCustomMemo::PointToTextPosition(int x, int y) const {
    if (charWidth_ == 0 || lineHeight_ == 0)
        return {1, 1};
    const TRect text = TextArea();
    return {(x - text.Left) / charWidth_ + leftCol_, (y - text.Top) / lineHeight_ + topLine_};
}

int TAdvCustomMemo::VisibleColCount() const {
    const TRect text = TextArea();
    return std::max(0, PointToCell(text.Right - 1, text.Bottom - 1).X);
}

int TAdvCustomMemo::VisibleLineCount() const {
    if (lineHeight_ == 0)
        return 0;
    const TRect text = TextArea();
    return std::max(0, (text.Bottom - 1 - text.Top) / lineHeight_);
}

int TAdvCustomMemo::LastVisibleCol() const {
    const TRect text = TextArea();
    return PointToTextPosition(text.Right - 1, text.Bottom - 1).X - 1;
}

int TAdvCustomMemo::LastVisibleLine() const {
    const TRect text = TextArea();
    return PointToTextPosition(text.Right - 1, text.Bottom - 1).Y - 1;
}

// --- position --------------------------------------------------------------------------------

void TAdvCustomMemo::SetTopLine(int line) {
    line = std::clamp(line, 0, std::max(0, lines_->Count() - 1));
    if (line == topLine_)
        return;
    topLine_ = line;
    if (verticalBar_->Visible())
        verticalBar_->SetPosition(line);
    Invalidate();
}

void TAdvCustomMemo::SetLeftCol(int column) {
    column = std::max(0, column);
    if (column == leftCol_)
        return;
    leftCol_ = column;
    if (horizontalBar_->Visible())
        horizontalBar_->SetPosition(column);
    Invalidate();
}

void TAdvCustomMemo::SetActiveLine(int line) {
    if (line == activeLine_)
        return;
    activeLine_ = line;
    if (activeLineSettings_.ShowActiveLine()) {
        if (line >= 0 && (line < topLine_ || line > LastVisibleLine()))
            SetTopLine(std::max(0, line - VisibleLineCount() / 2));
        Invalidate();
    } else {
        InvalidateRect(gutter_->BoundsRect());
    }
}

void TAdvCustomMemo::ScrollCaretIntoView() {
    const bool horizontalBar = HorizontalBarAllowed();
    const bool verticalBar = VerticalBarAllowed();
    const bool strict = scrollMode_ == TScrollMode::smStrict;
    bool changed = false;
    // 1.-2. Columns.
    if (caretX_ < leftCol_) {
        leftCol_ = std::max(0, caretX_ - 2);
        changed = true;
    } else if (const int last = LastVisibleCol(); caretX_ > last && VisibleColCount() > 0) {
        if (!horizontalBar && strict) {
            SetCaretX(last);
        } else {
            leftCol_ = std::max(0, leftCol_ + caretX_ - last + 2);
            changed = true;
        }
    }
    // 3.-4. Lines.
    if (caretY_ < topLine_) {
        topLine_ = std::max(0, caretY_);
        changed = true;
    } else if (const int last = LastVisibleLine(); caretY_ > last && VisibleLineCount() > 0) {
        if (!verticalBar && strict) {
            SetCaretY(last);
        } else {
            topLine_ = topLine_ + caretY_ - last;
            changed = true;
        }
    }
    // 5.
    if (changed) {
        if (verticalBar_->Visible())
            verticalBar_->SetPosition(topLine_);
        if (horizontalBar_->Visible())
            horizontalBar_->SetPosition(leftCol_);
        Invalidate();
    }
}

// --- scroll bars -----------------------------------------------------------------------------

void TAdvCustomMemo::UpdateScrollBars() {
    if (!refreshOn_ || lineHeight_ == 0)
        return;
    // 4. A bar that appears or goes changes the text area: once more then (a third pass
    // cannot change anything the second did not).
    for (int pass = 0; pass < 3; ++pass) {
        if (!UpdateScrollBarsOnce())
            break;
    }
    // 5. Gutter and text follow.
    gutter_->SetHeight(TextArea().Height());
    Invalidate();
    // 6. The bars' positions are the view's.
    if (verticalBar_->Visible()) {
        int position = verticalBar_->Position();
        const int last = verticalBar_->Max() - verticalBar_->PageSize() + 1;
        if (verticalBar_->PageSize() > 0 && position > last)
            position = last;
        topLine_ = std::max(0, position);
    }
    if (horizontalBar_->Visible()) {
        int position = horizontalBar_->Position();
        const int last = horizontalBar_->Max() - horizontalBar_->PageSize() + 1;
        if (horizontalBar_->PageSize() > 0 && position > last)
            position = last + 1;
        leftCol_ = std::max(0, position);
    }
}

bool TAdvCustomMemo::UpdateScrollBarsOnce() {
    const bool verticalWas = verticalBar_->Visible();
    const bool horizontalWas = horizontalBar_->Visible();
    const bool verticalAllowed = VerticalBarAllowed();
    const bool horizontalAllowed = HorizontalBarAllowed();
    // 1.
    if (!verticalAllowed)
        verticalBar_->SetVisible(false);
    if (!horizontalAllowed)
        horizontalBar_->SetVisible(false);
    // 2. Vertical.
    if (verticalAllowed) {
        const TRect text = TextArea();
        verticalBar_->SetBounds(text.Right, text.Top, GetSystemMetrics(TSystemMetric::smCxVScroll),
                                text.Height() + 1);
        const int rows = VisibleLineCount();
        if (rows < 1 || rows >= lines_->Count()) {
            verticalBar_->SetVisible(false);
            topLine_ = 0;
        } else {
            verticalBar_->SetParams(topLine_, 0, lines_->Count() - 1, rows);
            verticalBar_->SetVisible(true);
        }
    }
    // 3. Horizontal.
    if (horizontalAllowed && wordWrap_ != TWordWrap::wwClientWidth) {
        const TRect text = TextArea();
        const int shortBy =
            scrollBars_ == TScrollStyle::ssBoth ? GetSystemMetrics(TSystemMetric::smCxVScroll) : 0;
        horizontalBar_->SetBounds(2, text.Bottom, std::max(0, Width() - 4 - shortBy),
                                  GetSystemMetrics(TSystemMetric::smCyHScroll));
        const int columns = VisibleColCount();
        if (columns > 0 && columns < longestLine_) {
            horizontalBar_->SetParams(leftCol_, 0, longestLine_, columns + 1);
            horizontalBar_->SetVisible(true);
        } else if (caretX_ < columns) {
            horizontalBar_->SetVisible(false);
            horizontalBar_->SetParams(0, 0, horizontalBar_->Max(), 0);
            leftCol_ = 0;
        }
    }
    return verticalBar_->Visible() != verticalWas || horizontalBar_->Visible() != horizontalWas;
}

void TAdvCustomMemo::ScrollBarMoved(TScrollBar& bar, int position) {
    if (&bar == verticalBar_.get())
        SetTopLine(position);
    else
        SetLeftCol(position);
}

void TAdvCustomMemo::Resize() {
    TCustomControl::Resize();
    if (lineHeight_ == 0)
        return;
    const int topLine = topLine_;
    UpdateScrollBars();
    gutter_->SetHeight(TextArea().Height());
    ScrollCaretIntoView();
    // Without word wrap the lines do not move: the view keeps its first line while it scrolls
    // at all (when every line fits, it starts at the top).
    if (verticalBar_->Visible()) {
        topLine_ = std::min(topLine, verticalBar_->Max() - verticalBar_->PageSize() + 1);
        verticalBar_->SetPosition(topLine_);
    }
    Invalidate();
}

bool TAdvCustomMemo::DoMouseWheel(TShiftState, int wheelDelta, TPoint) {
    if (!verticalBar_->Visible())
        return false;
    // Three lines a notch, each as a click on the bar's arrow.
    const int notches = wheelDelta / 120;
    const TScrollCode code = notches > 0 ? TScrollCode::scLineUp : TScrollCode::scLineDown;
    for (int i = 0; i < 3 * std::abs(notches); ++i)
        verticalBar_->Scroll(code);
    return true;
}

// --- focus -----------------------------------------------------------------------------------

bool TAdvCustomMemo::SelectionShown() const {
    return !hideSelection_ || Focused();
}

void TAdvCustomMemo::DoEnter() {
    TCustomControl::DoEnter();
    if (!SelectionEmpty())
        Invalidate();
}

void TAdvCustomMemo::DoExit() {
    TCustomControl::DoExit();
    if (!SelectionEmpty())
        Invalidate();
}

// --- paint -----------------------------------------------------------------------------------

void TAdvCustomMemo::Paint() {
    TCanvas& canvas = Canvas();
    // 1. Nothing while an update bracket is open.
    if (lines_->LockCount() > 0)
        return;
    // 2. Metrics before the first paint.
    if (lineHeight_ == 0)
        ApplyFont();
    // 3. The row bitmap: as wide as the text area, one line high.
    const TRect text = TextArea();
    rowBitmap_->SetSize(std::max(0, text.Width()), lineHeight_);
    rowBitmap_->Canvas().Font().Assign(Font());
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.Brush().Color = bkColor_;
    // 4. Folding column.
    if (codeFolding_.Enabled()) {
        const TRect column = FoldingColumn();
        canvas.FillRect(Rect(column.Left - 2, column.Top, column.Right, column.Bottom));
    }
    // 5. Gutter.
    if (gutter_->GutterWidth() > 1 && gutter_->Visible()) {
        gutter_->SetHeight(text.Height());
        gutter_->Paint(canvas);
    }
    // 6. The strip above the text area's first row.
    canvas.Brush().Color = bkColor_;
    if (text.Top < 2)
        canvas.FillRect(Rect(text.Left, text.Top, text.Right, 2));
    // 7. No styler is attached, so there is no highlighter state to bring to TopLine.
    // 8. Rows, the partly visible last one included, clipped to the text area.
    canvas.SetClipRect(text);
    const int rows = VisibleLineCount();
    int openBoxes = 0;
    int row = 0;
    bool ended = false;
    for (int line = topLine_; line <= topLine_ + rows; ++line, ++row) {
        if (line >= lines_->Count()) {
            ended = true;
            break;
        }
        const TRect rowRect = Rect(text.Left, text.Top + 1 + row * lineHeight_, text.Right,
                                   text.Top + 1 + (row + 1) * lineHeight_);
        if (codeFolding_.Enabled()) {
            canvas.ResetClip();
            PaintFoldMarks(canvas, rowRect, line, openBoxes);
            canvas.SetClipRect(text);
        }
        PaintRow(*rowBitmap_, line);
        canvas.CopyRect(rowRect, *rowBitmap_, Rect(0, 0, rowRect.Width(), lineHeight_));
        if (codeFolding_.Enabled())
            line = LastLineOfCollapsedRegion(line);
    }
    canvas.ResetClip();
    // 9. Below the text.
    if (ended) {
        const int top = lines_->Count() == 0 ? text.Top + 1 : text.Top + 1 + row * lineHeight_;
        canvas.Brush().Color = bkColor_;
        canvas.FillRect(Rect(text.Left, std::min(top, text.Bottom), text.Right, text.Bottom));
    }
    // 10. The margin columns left of the text, and the frames of the scroll bars.
    canvas.Brush().Color = bkColor_;
    canvas.FillRect(Rect(text.Left - textMargin_, text.Top, text.Left, text.Bottom));
    canvas.Brush().Color = clScrollBar;
    for (const TScrollBar* bar : {verticalBar_.get(), horizontalBar_.get()}) {
        if (!bar->Visible())
            continue;
        const TRect r = bar->BoundsRect();
        canvas.FillRect(Rect(r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1));
    }
    // 11. The right margin.
    if (rightMargin_ > 0 && showRightMargin_) {
        const int x = text.Left + marginCharWidth_ * (rightMargin_ - leftCol_);
        canvas.Pen().Color = rightMarginColor_;
        canvas.Brush().Color = rightMarginColor_;
        canvas.SetClipRect(text);
        canvas.FillRect(Rect(x, text.Top, x + 2, text.Bottom));
        canvas.ResetClip();
        canvas.Pen().Color = 0x808080;
        canvas.Pen().Width = 1;
    }
    // 12. The border.
    PaintBorder(canvas);
}

void TAdvCustomMemo::PaintBorder(TCanvas& canvas) {
    if (borderStyle_ == TBorderStyle::bsNone)
        return;
    const int w = Width();
    const int h = Height();
    if (!ctl3D_) {
        canvas.Brush().Style = TBrushStyle::bsClear;
        canvas.Pen().Color = borderColor_;
        canvas.Pen().Style = TPenStyle::psSolid;
        canvas.Rectangle(Rect(0, 0, w, h));
        canvas.Brush().Style = TBrushStyle::bsSolid;
        return;
    }
    // The sunken frame of a three-dimensional border: shadow and dark shadow outside along the
    // top and left, highlight and light face along the bottom and right.
    const TColor outerTopLeft = clBtnShadow;
    const TColor innerTopLeft = 0xFF000015; // 3D dark shadow
    const TColor innerBottomRight = clBtnFace;
    const TColor outerBottomRight = clBtnHighlight;
    auto line = [&](TColor color, int x0, int y0, int x1, int y1) {
        canvas.Pen().Color = color;
        canvas.MoveTo(x0, y0);
        canvas.LineTo(x1, y1);
    };
    line(outerTopLeft, 0, h - 1, 0, 0);
    line(outerTopLeft, 0, 0, w - 1, 0);
    line(innerTopLeft, 1, h - 2, 1, 1);
    line(innerTopLeft, 1, 1, w - 2, 1);
    line(innerBottomRight, 1, h - 2, w - 2, h - 2);
    line(innerBottomRight, w - 2, h - 2, w - 2, 0);
    line(outerBottomRight, 0, h - 1, w - 1, h - 1);
    line(outerBottomRight, w - 1, h - 1, w - 1, -1);
}
