#pragma once
// The plain text box's layout: which screen rows show which line, with word wrap at the box's
// width. A model only: the box hands it the width and the font's character widths and asks it
// where rows, lines and positions are.
//
// Laid out only where shown. A result pane holds millions of lines and nearly all of them are
// shorter than a row: a line whose byte count times the widest character fits the width is
// one row and is never measured (a multi-byte character is taken to be no wider than its
// bytes' worth of widest characters). Only the
// lines that take more than one row are kept, sorted, with the running sum of their extra
// rows, so row <-> line is a binary search and the row count (the scroll bar's range) is
// exact. The rows of one line are worked out when that line is shown or edited. An edit
// recomputes the changed lines only and shifts the kept ones after them; a new width or font
// lays out again (the cheap test decides most lines).

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/TextDocument.h"

/// A place in the text: a line and a byte offset in it (at a character's first byte, or at
/// the line's end).
struct TextPos {
    int line = 0;
    std::size_t offset = 0;
    friend auto operator<=>(const TextPos&, const TextPos&) = default;
};

/// How wide the box's font draws characters, in pixels.
class GlyphWidths {
public:
    virtual int Advance(char32_t ch) const = 0;
    /// No character is wider (the bound of the no-measuring test).
    virtual int Widest() const = 0;

protected:
    ~GlyphWidths() = default;
};

/// Where the rows of `line` start when it wraps at `width` pixels: offset 0 first. Like the
/// system's edit box, a row breaks after the last space that fits (spaces may hang past the
/// edge); a word longer than a row breaks after the last character that fits; a row holds at
/// least one character. A width of 0 or less wraps nothing.
std::vector<std::size_t> WrapLine(std::string_view line, int width, const GlyphWidths& widths);

class TextBoxLayout final : public core::DocumentListener {
public:
    /// Follows `document` from now on, until destroyed.
    TextBoxLayout(core::TextDocument& document, const GlyphWidths& widths);
    ~TextBoxLayout();
    TextBoxLayout(const TextBoxLayout&) = delete;
    TextBoxLayout& operator=(const TextBoxLayout&) = delete;

    int Width() const { return width_; }
    /// Wraps at `width` pixels from now on (0 or less: no wrap); lays out again when it changed.
    void SetWidth(int width);
    /// Lays out everything again: the character widths changed.
    void Relayout();

    /// Rows of the whole text (0 for a text without lines).
    std::int64_t RowCount() const;
    /// The first row of `line`.
    std::int64_t RowOfLine(int line) const;
    /// The line shown in `row` (0..RowCount()-1) and which of its rows that is.
    struct RowSpot {
        int line = 0;
        int subRow = 0;
    };
    RowSpot LineOfRow(std::int64_t row) const;
    /// Where each row of `line` starts (WrapLine at the width). Valid until the next change.
    const std::vector<std::size_t>& RowStarts(int line) const;

    // --- positions on screen ---
    /// The row that shows `pos`: a position at a row's start is on that row; the line's end
    /// is on its last row.
    std::int64_t RowOf(TextPos pos) const;
    /// The x of `pos` from the start of its row.
    int XOf(TextPos pos) const;
    /// The position in `row` (clamped to the text) nearest to `x`: the character boundary
    /// closest to it, never past the row's last character when the line goes on below.
    TextPos PosAt(std::int64_t row, int x) const;
    /// The bytes of `row`'s line shown in that row: [first, second).
    std::pair<std::size_t, std::size_t> RowBytes(const RowSpot& spot) const;

    void LinesChanged(const core::LineChange& change) override;

private:
    /// Extra rows of `line` beyond its first, measuring only when the cheap test fails.
    std::int64_t ExtraRows(int line) const;
    /// Finds the multi-row lines of the whole text again.
    void Rebuild();
    /// Sums the extra rows again from kept entry `k` on.
    void SumFrom(std::size_t k);
    /// The first row of kept entry `k`'s line.
    std::int64_t RowOfKept(std::size_t k) const { return keptLines_[k] + extraBefore_[k]; }

    core::TextDocument& document_;
    const GlyphWidths& widths_;
    int width_ = 0;

    // The lines that take more than one row, ascending, their extra rows, and the sum of the
    // extra rows of the kept lines before each (one more entry: the total).
    std::vector<int> keptLines_;
    std::vector<std::int64_t> keptExtra_;
    std::vector<std::int64_t> extraBefore_{0};

    // The rows of the line asked for last: painting and the caret ask for the same few lines
    // again and again.
    mutable int cachedLine_ = -1;
    mutable std::vector<std::size_t> cachedStarts_;
};
