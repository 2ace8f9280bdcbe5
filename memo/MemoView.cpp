#include "memo/MemoView.h"

#include <algorithm>

// --- layout ------------------------------------------------------------------------------

TRect TMemoView::TextArea(const TViewStyle& style) const {
    // Right of the gutter's part and the text margin, inside the bars that are shown.
    TRect r;
    r.Left = Frame.GutterPart + Frame.TextMargin;
    r.Top = 2;
    r.Right = Frame.Width - 2 -
              (style.VerticalBarAllowed() && Vertical.Visible ? Frame.VerticalBarWidth : 0);
    r.Bottom = Frame.Height - 2 -
               (style.HorizontalBarAllowed() && Horizontal.Visible ? Frame.HorizontalBarHeight : 0);
    // The border's share: none takes 2 pixels, the flat one 1, the three-dimensional one 2.
    const int grow = style.BorderStyle == TBorderStyle::bsNone ? 2 : (style.Ctl3D ? 0 : 1);
    r.Left -= grow;
    r.Top -= grow;
    r.Right += grow;
    r.Bottom += grow;
    // Fold marks get room of their own only while there are regions.
    if (Frame.FoldColumn)
        r.Left += 16;
    return r;
}

TRect TMemoView::FoldingColumn(const TViewStyle& style) const {
    const TRect text = TextArea(style);
    return Rect(text.Left - 16, text.Top, text.Left, text.Bottom);
}

TRect TMemoView::CellRect(const TViewStyle& style, int column, int row) const {
    const TRect text = TextArea(style);
    return Bounds(column * CharWidth + text.Left, row * LineHeight + text.Top + 1, CharWidth,
                  LineHeight);
}

TPoint TMemoView::PointToCell(const TViewStyle& style, int x, int y) const {
    if (CharWidth == 0 || LineHeight == 0)
        return {0, 0};
    const TRect text = TextArea(style);
    return {(x - text.Left + CharWidth / 2) / CharWidth, (y - text.Top) / LineHeight};
}

TPoint TMemoView::PointToTextPosition(const TViewStyle& style, int x, int y) const {
    if (CharWidth == 0 || LineHeight == 0)
        return {1, 1};
    const TRect text = TextArea(style);
    return {(x - text.Left) / CharWidth + leftCol_, (y - text.Top) / LineHeight + topRow_};
}

int TMemoView::VisibleColCount(const TViewStyle& style) const {
    const TRect text = TextArea(style);
    return std::max(0, PointToCell(style, text.Right - 1, text.Bottom - 1).X);
}

int TMemoView::VisibleRowCount(const TViewStyle& style) const {
    if (LineHeight == 0)
        return 0;
    const TRect text = TextArea(style);
    return std::max(0, (text.Bottom - 1 - text.Top) / LineHeight);
}

int TMemoView::LastVisibleCol(const TViewStyle& style) const {
    const TRect text = TextArea(style);
    return PointToTextPosition(style, text.Right - 1, text.Bottom - 1).X - 1;
}

int TMemoView::LastVisibleRow(const TViewStyle& style) const {
    const TRect text = TextArea(style);
    return PointToTextPosition(style, text.Right - 1, text.Bottom - 1).Y - 1;
}

// --- position ----------------------------------------------------------------------------

int TMemoView::ClampTopRow(const TViewStyle& style, int row, int rowCount) const {
    // With a vertical bar allowed, the view goes where the bar goes (to the top when every
    // row fits); without one, the caret may scroll it down to the last row.
    int last = std::max(0, rowCount - 1);
    if (style.VerticalBarAllowed())
        last = Vertical.Visible ? std::max(0, Vertical.LastPosition()) : 0;
    return std::clamp(row, 0, last);
}

int TMemoView::ClampLeftCol(const TViewStyle& style, int column) const {
    // Only a shown horizontal bar bounds the columns: a hidden one may leave the view where
    // the caret took it.
    int last = INT_MAX;
    if (style.HorizontalBarAllowed() && Horizontal.Visible)
        last = std::max(0, Horizontal.LastPosition());
    return std::clamp(column, 0, last);
}

bool TMemoView::SetTopRow(const TViewStyle& style, int row, int rowCount) {
    row = ClampTopRow(style, row, rowCount);
    Vertical.Position = row;
    if (row == topRow_)
        return false;
    topRow_ = row;
    return true;
}

bool TMemoView::SetLeftCol(const TViewStyle& style, int column) {
    column = ClampLeftCol(style, column);
    Horizontal.Position = column;
    if (column == leftCol_)
        return false;
    leftCol_ = column;
    return true;
}

void TMemoView::Home() {
    topRow_ = leftCol_ = 0;
    Vertical.Position = Horizontal.Position = 0;
}

// --- scroll bars -------------------------------------------------------------------------

void TMemoView::UpdateBars(const TViewStyle& style, int rowCount, int longestLine, int caretX) {
    if (LineHeight == 0)
        return;
    // A bar that appears or goes changes the text area: once more then (a third pass cannot
    // change anything the second did not).
    for (int pass = 0; pass < 3; ++pass) {
        if (!UpdateBarsOnce(style, rowCount, longestLine, caretX))
            break;
    }
    // The bars' positions are the view's.
    SetTopRow(style, Vertical.Visible ? Vertical.Position : topRow_, rowCount);
    SetLeftCol(style, Horizontal.Visible ? Horizontal.Position : leftCol_);
}

bool TMemoView::UpdateBarsOnce(const TViewStyle& style, int rowCount, int longestLine, int caretX) {
    const bool verticalWas = Vertical.Visible;
    const bool horizontalWas = Horizontal.Visible;
    // Bars that are not allowed stay hidden.
    if (!style.VerticalBarAllowed())
        Vertical.Visible = false;
    if (!style.HorizontalBarAllowed())
        Horizontal.Visible = false;
    // The vertical bar, at the text area's right edge, while not every row fits.
    if (style.VerticalBarAllowed()) {
        const TRect text = TextArea(style);
        Vertical.Bounds = Bounds(text.Right, text.Top, Frame.VerticalBarWidth, text.Height() + 1);
        const int rows = VisibleRowCount(style);
        if (rows < 1 || rows >= rowCount) {
            Vertical.Visible = false;
            topRow_ = 0;
        } else {
            Vertical = {true, Vertical.Bounds, rowCount - 1, rows, topRow_};
            Vertical.Position = std::clamp(Vertical.Position, 0, Vertical.LastPosition());
        }
    }
    // The horizontal bar, along the text area's bottom, while the longest line does not fit.
    if (style.HorizontalBarAllowed() && !Frame.WrapToClient) {
        const TRect text = TextArea(style);
        const int shortBy = style.ScrollBars == TScrollStyle::ssBoth ? Frame.VerticalBarWidth : 0;
        Horizontal.Bounds = Bounds(2, text.Bottom, std::max(0, Frame.Width - 4 - shortBy),
                                   Frame.HorizontalBarHeight);
        const int columns = VisibleColCount(style);
        if (columns > 0 && columns < longestLine) {
            Horizontal = {true, Horizontal.Bounds, longestLine, columns + 1, leftCol_};
            Horizontal.Position = std::clamp(Horizontal.Position, 0, Horizontal.LastPosition());
        } else if (caretX < columns) {
            Horizontal.Visible = false;
            Horizontal.Page = 0;
            leftCol_ = 0;
        }
    }
    return Vertical.Visible != verticalWas || Horizontal.Visible != horizontalWas;
}
