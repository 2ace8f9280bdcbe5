#include "textbox/TextBoxLayout.h"

#include <algorithm>

#include "platform/TextCodec.h"

namespace {

bool IsBlank(char32_t ch) {
    return ch == U' ' || ch == U'\t';
}

// Walks `line` as WrapLine describes and calls `onBreak(offset)` where each row after the
// first starts.
template <typename OnBreak>
void ForEachBreak(std::string_view line, int width, const GlyphWidths& widths, OnBreak onBreak) {
    if (width <= 0)
        return;
    std::size_t rowStart = 0;
    std::size_t breakAt = 0; // just after the row's last blank; not past rowStart: none
    long long x = 0;         // the row's width so far
    long long xAtBreak = 0;  // ... up to breakAt
    for (const DisplayChar& c : DisplayChars(line)) {
        const int advance = widths.Advance(c.ch);
        if (IsBlank(c.ch)) {
            // Blanks hang past the edge; the row may break after them.
            x += advance;
            breakAt = c.offset + c.length;
            xAtBreak = x;
            continue;
        }
        // Twice at most: the word moves down, and if it is still too long it breaks here.
        while (x + advance > width && c.offset > rowStart) {
            if (breakAt > rowStart) {
                rowStart = breakAt;
                x -= xAtBreak;
            } else {
                rowStart = c.offset;
                x = 0;
            }
            onBreak(rowStart);
        }
        x += advance;
    }
}

} // namespace

std::vector<std::size_t> WrapLine(std::string_view line, int width, const GlyphWidths& widths) {
    std::vector<std::size_t> starts{0};
    ForEachBreak(line, width, widths, [&](std::size_t at) { starts.push_back(at); });
    return starts;
}

TextBoxLayout::TextBoxLayout(core::TextDocument& document, const GlyphWidths& widths)
    : document_(document), widths_(widths) {
    // At width 0 nothing wraps: every line is one row until SetWidth.
    document_.AddListener(*this);
}

TextBoxLayout::~TextBoxLayout() {
    document_.RemoveListener(*this);
}

void TextBoxLayout::SetWidth(int width) {
    if (width == width_)
        return;
    width_ = width;
    Rebuild();
}

void TextBoxLayout::Relayout() {
    Rebuild();
}

std::int64_t TextBoxLayout::ExtraRows(int line) const {
    if (width_ <= 0)
        return 0;
    const std::string_view text = document_.Line(line);
    // The cheap test: even at the widest character everywhere it fits.
    if (static_cast<long long>(text.size()) * widths_.Widest() <= width_)
        return 0;
    std::int64_t extra = 0;
    ForEachBreak(text, width_, widths_, [&](std::size_t) { ++extra; });
    return extra;
}

void TextBoxLayout::Rebuild() {
    cachedLine_ = -1;
    keptLines_.clear();
    keptExtra_.clear();
    const int count = document_.Count();
    for (int line = 0; line < count; ++line) {
        if (const std::int64_t extra = ExtraRows(line); extra > 0) {
            keptLines_.push_back(line);
            keptExtra_.push_back(extra);
        }
    }
    SumFrom(0);
}

void TextBoxLayout::SumFrom(std::size_t k) {
    extraBefore_.resize(keptLines_.size() + 1);
    for (; k < keptLines_.size(); ++k)
        extraBefore_[k + 1] = extraBefore_[k] + keptExtra_[k];
}

void TextBoxLayout::LinesChanged(const core::LineChange& change) {
    if (change.replacedAll) {
        Rebuild();
        return;
    }
    cachedLine_ = -1;
    // The lines that came are measured.
    std::vector<int> lines;
    std::vector<std::int64_t> extras;
    for (int line = change.first; line < change.first + change.added; ++line) {
        if (const std::int64_t extra = ExtraRows(line); extra > 0) {
            lines.push_back(line);
            extras.push_back(extra);
        }
    }
    const auto begin = std::lower_bound(keptLines_.begin(), keptLines_.end(), change.first);
    const auto end = std::lower_bound(begin, keptLines_.end(), change.first + change.removed);
    const auto k = static_cast<std::size_t>(begin - keptLines_.begin());
    const auto gone = static_cast<std::size_t>(end - begin);
    // A line changed in place that wraps to as many rows as before (typing, mostly) moves no
    // row: nothing after it is touched, however many entries follow.
    if (change.added == change.removed && std::equal(begin, end, lines.begin(), lines.end()) &&
        std::equal(keptExtra_.begin() + static_cast<std::ptrdiff_t>(k),
                   keptExtra_.begin() + static_cast<std::ptrdiff_t>(k + gone), extras.begin(),
                   extras.end()))
        return;
    // The kept entries of the lines that went leave; those after them move by the difference;
    // the lines that came take their place.
    for (auto it = end; it != keptLines_.end(); ++it)
        *it += change.added - change.removed;
    keptLines_.erase(begin, end);
    keptExtra_.erase(keptExtra_.begin() + static_cast<std::ptrdiff_t>(k),
                     keptExtra_.begin() + static_cast<std::ptrdiff_t>(k + gone));
    const auto at = static_cast<std::ptrdiff_t>(k);
    keptLines_.insert(keptLines_.begin() + at, lines.begin(), lines.end());
    keptExtra_.insert(keptExtra_.begin() + at, extras.begin(), extras.end());
    SumFrom(k);
}

std::int64_t TextBoxLayout::RowCount() const {
    return document_.Count() + extraBefore_.back();
}

std::int64_t TextBoxLayout::RowOfLine(int line) const {
    const auto k =
        std::lower_bound(keptLines_.begin(), keptLines_.end(), line) - keptLines_.begin();
    return line + extraBefore_[static_cast<std::size_t>(k)];
}

TextBoxLayout::RowSpot TextBoxLayout::LineOfRow(std::int64_t row) const {
    // The last kept line that starts at or above `row`.
    std::size_t lo = 0, hi = keptLines_.size();
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (RowOfKept(mid) <= row)
            lo = mid + 1;
        else
            hi = mid;
    }
    if (lo == 0)
        return {static_cast<int>(row), 0};
    const std::size_t k = lo - 1;
    const std::int64_t first = RowOfKept(k);
    if (row - first <= keptExtra_[k])
        return {keptLines_[k], static_cast<int>(row - first)};
    return {static_cast<int>(row - extraBefore_[k + 1]), 0};
}

const std::vector<std::size_t>& TextBoxLayout::RowStarts(int line) const {
    if (line != cachedLine_) {
        cachedStarts_ = WrapLine(document_.Line(line), width_, widths_);
        cachedLine_ = line;
    }
    return cachedStarts_;
}

std::pair<std::size_t, std::size_t> TextBoxLayout::RowBytes(const RowSpot& spot) const {
    const std::vector<std::size_t>& starts = RowStarts(spot.line);
    const auto sub = static_cast<std::size_t>(spot.subRow);
    const std::size_t end = sub + 1 < starts.size()
                                ? starts[sub + 1]
                                : static_cast<std::size_t>(document_.Length(spot.line));
    return {starts[sub], end};
}

namespace {

int SubRowOf(const std::vector<std::size_t>& starts, std::size_t offset) {
    return static_cast<int>(std::upper_bound(starts.begin(), starts.end(), offset) -
                            starts.begin()) -
           1;
}

} // namespace

std::int64_t TextBoxLayout::RowOf(TextPos pos) const {
    return RowOfLine(pos.line) + SubRowOf(RowStarts(pos.line), pos.offset);
}

int TextBoxLayout::XOf(TextPos pos) const {
    const std::vector<std::size_t>& starts = RowStarts(pos.line);
    const std::string_view text = document_.Line(pos.line);
    const std::size_t from = starts[static_cast<std::size_t>(SubRowOf(starts, pos.offset))];
    int x = 0;
    for (const DisplayChar& c : DisplayChars(text.substr(0, pos.offset), from))
        x += widths_.Advance(c.ch);
    return x;
}

TextPos TextBoxLayout::PosAt(std::int64_t row, int x) const {
    const std::int64_t rows = RowCount();
    if (rows == 0)
        return {};
    const RowSpot spot = LineOfRow(std::clamp<std::int64_t>(row, 0, rows - 1));
    const auto [first, end] = RowBytes(spot);
    const std::string_view text = document_.Line(spot.line);
    int left = 0;
    std::size_t last = first; // the start of the row's last character
    for (const DisplayChar& c : DisplayChars(text.substr(0, end), first)) {
        const int advance = widths_.Advance(c.ch);
        if (x < left + (advance + 1) / 2)
            return {spot.line, c.offset};
        left += advance;
        last = c.offset;
    }
    // Past the row's end: the line's end, or before the row's last character when the line
    // goes on in the next row (whose start shows there).
    if (end == text.size() || end == first)
        return {spot.line, end};
    return {spot.line, last};
}
