#pragma once
// The load rules of a list: how bytes become lines, the same for the editor and the batch tool.
//
// - A line ends at CR, at LF or at CR LF (one break); LF CR is two breaks, the second ending
//   an empty line.
// - A break at the very end of the text adds no empty line.
// - The first NUL byte ends the text; everything after it is ignored.
// - Every tab becomes TabSize spaces: a plain substitution, not a move to the next tab stop.
// - A text without any line (empty, or starting with NUL) loads as one empty line, which is
//   what the editor shows for it.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/FileText.h"
#include "core/LineSource.h"

namespace core {

inline constexpr int kDefaultTabSize = 4;

using LineSpan = std::span<const std::string_view>;

/// The part of `bytes` before its first NUL (all of it when there is none).
std::string_view TextBeforeNul(std::string_view bytes);

/// `text` with every tab replaced by `tabSize` spaces.
std::string ReplaceTabs(std::string_view text, int tabSize);

/// The first CR, LF or NUL in [p, end), or end. Eight bytes at a time: lines are short and
/// lists are long, so this loop is the load's hot spot.
inline const char* FindLineEnd(const char* p, const char* end) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHighs = 0x8080808080808080ULL;
    auto zeroBytes = [](std::uint64_t x) { return (x - kOnes) & ~x & kHighs; };
    while (end - p >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        // The lowest flagged byte of each test is exact, so the lowest of all three is too.
        const std::uint64_t found =
            zeroBytes(word) | zeroBytes(word ^ (kOnes * '\n')) | zeroBytes(word ^ (kOnes * '\r'));
        if (found)
            return p + (std::countr_zero(found) >> 3);
        p += 8;
    }
    while (p != end && *p != '\n' && *p != '\r' && *p != '\0')
        ++p;
    return p;
}

/// The lines of `text` by the break rules above, one at a time, stopping at the first NUL.
/// The views point into `text`. Tabs are left alone.
class LineSplitter {
public:
    explicit LineSplitter(std::string_view text)
        : p_(text.data()), end_(text.data() + text.size()) {}

    /// Sets `line` to the next line; false when none is left.
    bool Next(std::string_view& line) {
        if (p_ == end_)
            return false;
        const char* const start = p_;
        const char* const lineEnd = FindLineEnd(start, end_);
        line = std::string_view(start, static_cast<std::size_t>(lineEnd - start));
        if (lineEnd == end_ || *lineEnd == '\0') {
            p_ = end_;
            return lineEnd != start || lineEnd == end_;
        }
        p_ = lineEnd + 1;
        if (*lineEnd == '\r' && p_ != end_ && *p_ == '\n')
            ++p_;
        return true;
    }

private:
    const char* p_;
    const char* end_;
};

/// Calls `onLine(std::string_view)` for every line of `text`, as LineSplitter splits it.
template <class OnLine> void ForEachLine(std::string_view text, OnLine&& onLine) {
    LineSplitter lines(text);
    std::string_view line;
    while (lines.Next(line))
        onLine(line);
}

/// Every line followed by CR LF, concatenated; no lines give the empty string.
std::string JoinedText(LineSpan lines);

/// Whether the joined texts of `a` and `b` are equal, without building them.
bool JoinedTextsEqual(const LineSource& a, const LineSource& b);
inline bool JoinedTextsEqual(LineSpan a, LineSpan b) {
    return JoinedTextsEqual(SpanLines(a), SpanLines(b));
}

/// The lines of a file's bytes, loaded by the rules above. Owns the bytes and splits them
/// again at every walk, so a line costs nothing to keep: only the lines holding a tab are
/// copied out, tabs replaced, into a store of their own, and a walk hands those out in their
/// place. Views stay valid as long as this object lives (moving it keeps them valid too).
///
/// A mapped file that shrinks meanwhile reads as NUL past its new end, which ends the text:
/// a walk then gives fewer lines than Count(), never more.
class LoadedList final : public LineSource {
public:
    explicit LoadedList(FileText text, int tabSize = kDefaultTabSize);
    explicit LoadedList(std::string bytes, int tabSize = kDefaultTabSize);

    std::size_t Count() const override { return count_; }
    std::unique_ptr<Cursor> Walk() const override;

    /// The file the lines were split from, mapped or read.
    const FileText& File() const { return text_; }

private:
    class Walker;
    // A line with tabs: where it starts in the text, and its text with tabs replaced.
    struct TabbedLine {
        const char* start;
        std::string_view replaced;
    };

    FileText text_;
    std::size_t count_ = 0;
    bool emptyText_ = false; // a text without lines reads as one empty line
    std::unique_ptr<char[]> tabbedStore_;
    std::vector<TabbedLine> tabbed_;
};

} // namespace core
