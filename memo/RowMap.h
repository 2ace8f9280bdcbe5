#pragma once
// Rows on screen against lines of text. Without folding or word wrap every line is one row;
// folding and wrapping plug in here by overriding the two mappings.

class TRowMap {
public:
    virtual ~TRowMap() = default;
    /// The line shown in `row`.
    virtual int LineOfRow(int row) const { return row; }
    /// The row that shows `line`.
    virtual int RowOfLine(int line) const { return line; }
    /// Lines before `line` that continue a wrapped line (none without word wrap).
    virtual int WrappedContinuationsBefore(int /*line*/) const { return 0; }
};
