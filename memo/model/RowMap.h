#pragma once
// Rows on screen against lines of text. Every question that turns a line into a screen row or
// back goes through this one map: the caret, the mouse, page moves, scrolling, the view's
// clamp, the painter and the gutter. Without folding or word wrap every line is one row and
// the map is the identity; folding and wrapping plug in by overriding the mappings.

class TRowMap {
public:
    virtual ~TRowMap() = default;
    /// The line shown in `row`. Past the last row, rows go on one line each.
    virtual int LineOfRow(int row) const { return row; }
    /// The row that shows `line` (for a hidden line, the row of the line that hides it).
    virtual int RowOfLine(int line) const { return line; }
    /// The rows that `lineCount` lines take.
    virtual int RowCount(int lineCount) const { return lineCount; }
    /// Lines before `line` that continue a wrapped line (none without word wrap).
    virtual int WrappedContinuationsBefore(int /*line*/) const { return 0; }
};
