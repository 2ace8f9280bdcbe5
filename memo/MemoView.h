#pragma once
// The editor's view as a model: cell metrics, the layout of gutter, folding column and text
// area, the first visible row and column, and the two scroll bars' ranges. No widget here:
// the editor hands the view its size and settings and moves its bar controls to match.
//
// The view counts rows, not lines: the editor's row map says which line a row shows (every
// line is one row without folding or word wrap). The first row and column are clamped in one
// place, ClampTopRow and ClampLeftCol, for the bars, caret scrolling and active-line centring
// alike: never past where the bars can go.

#include <climits>

#include "memo/ViewStyle.h"
#include "platform/Types.h"

/// A scroll bar as the view wants it.
struct TBarModel {
    bool Visible = false;
    TRect Bounds;
    int Max = 0;
    int Page = 0;
    int Position = 0;
    /// The last position the bar can take.
    int LastPosition() const { return Page > 0 ? Max - Page + 1 : Max; }
};

/// What the layout depends on besides the metrics.
struct TViewFrame {
    int Width = 0; // the control's size
    int Height = 0;
    int GutterPart = 2; // the gutter's width plus 2, or 2 without a gutter
    int TextMargin = 2;
    bool FoldColumn = false; // folding enabled and regions present: 16 more pixels
    int VerticalBarWidth = 17;
    int HorizontalBarHeight = 17;
    bool WrapToClient = false; // word wrap at the client width: no horizontal bar
};

class TMemoView {
public:
    // --- metrics ---
    int CharWidth = 0;
    int LineHeight = 0;
    int MarginCharWidth = 0; // the width of "w", which the right margin is measured in

    TViewFrame Frame;
    TBarModel Vertical;
    TBarModel Horizontal;

    // --- layout ---
    /// Where the text is drawn: right of the gutter, inside the border and the bars shown.
    TRect TextArea(const TViewStyle& style) const;
    TRect FoldingColumn(const TViewStyle& style) const;
    TRect CellRect(const TViewStyle& style, int column, int row) const;
    TPoint PointToCell(const TViewStyle& style, int x, int y) const;
    /// The column and the row (counted from the first row of the text) under (x, y).
    TPoint PointToTextPosition(const TViewStyle& style, int x, int y) const;
    int VisibleColCount(const TViewStyle& style) const;
    int VisibleRowCount(const TViewStyle& style) const;
    int LastVisibleCol(const TViewStyle& style) const;
    int LastVisibleRow(const TViewStyle& style) const;

    // --- position ---
    int TopRow() const { return topRow_; }
    int LeftCol() const { return leftCol_; }
    /// `row` within what the view allows for `rowCount` rows.
    int ClampTopRow(const TViewStyle& style, int row, int rowCount) const;
    int ClampLeftCol(const TViewStyle& style, int column) const;
    /// Set, clamped; true when the position changed. The bars' positions follow.
    bool SetTopRow(const TViewStyle& style, int row, int rowCount);
    bool SetLeftCol(const TViewStyle& style, int column);
    /// Back to the start, unclamped (the editor's clear).
    void Home();

    // --- scroll bars ---
    /// Shows, hides and sizes the bars for the text, until their showing settles, then takes
    /// the view's position from them.
    void UpdateBars(const TViewStyle& style, int rowCount, int longestLine, int caretX);

private:
    bool UpdateBarsOnce(const TViewStyle& style, int rowCount, int longestLine, int caretX);

    int topRow_ = 0;
    int leftCol_ = 0;
};
