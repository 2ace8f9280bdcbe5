#pragma once
// A row map that hides chosen lines, as a collapsed fold does: the seam that folding and word
// wrap plug into, tried before they land.

#include <algorithm>
#include <vector>

#include "memo/model/RowMap.h"

class THiddenRows : public TRowMap {
public:
    /// `hidden`: the lines not shown, in ascending order.
    explicit THiddenRows(std::vector<int> hidden) : hidden_(std::move(hidden)) {}

    int LineOfRow(int row) const override {
        // The row-th shown line: every hidden line at or before it pushes it one further.
        int line = row;
        for (const int h : hidden_) {
            if (h <= line)
                ++line;
        }
        return line;
    }
    int RowOfLine(int line) const override {
        // A hidden line is in the row of the shown line before it.
        int row = line;
        for (const int h : hidden_) {
            if (h <= line)
                --row;
        }
        return row;
    }
    int RowCount(int lineCount) const override {
        const auto hidden =
            std::count_if(hidden_.begin(), hidden_.end(), [&](int h) { return h < lineCount; });
        return lineCount - static_cast<int>(hidden);
    }

private:
    std::vector<int> hidden_;
};
