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

/// Calls `onLine(std::string_view)` for every line of `text` by the break rules above,
/// stopping at the first NUL. The views point into `text`. Tabs are left alone.
template <class OnLine> void ForEachLine(std::string_view text, OnLine&& onLine) {
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p != end) {
        const char* lineEnd = FindLineEnd(p, end);
        if (lineEnd == end) {
            onLine(std::string_view(p, static_cast<std::size_t>(end - p)));
            return;
        }
        if (*lineEnd == '\0') {
            if (lineEnd != p)
                onLine(std::string_view(p, static_cast<std::size_t>(lineEnd - p)));
            return;
        }
        onLine(std::string_view(p, static_cast<std::size_t>(lineEnd - p)));
        p = lineEnd + 1;
        if (*lineEnd == '\r' && p != end && *p == '\n')
            ++p;
    }
}

/// Every line followed by CR LF, concatenated; no lines give the empty string.
std::string JoinedText(LineSpan lines);

/// Whether the joined texts of `a` and `b` are equal, without building them.
bool JoinedTextsEqual(LineSpan a, LineSpan b);

/// The lines of a file's bytes, loaded by the rules above. Owns the bytes; the views in
/// `Lines()` point into them and stay valid as long as this object lives (moving it keeps
/// them valid too). The bytes are not copied: a line points into them, and only a line with
/// a tab is copied out, tabs replaced, into a store of its own.
class LoadedList {
public:
    explicit LoadedList(FileText text, int tabSize = kDefaultTabSize);
    explicit LoadedList(std::string bytes, int tabSize = kDefaultTabSize);

    LineSpan Lines() const { return lines_; }
    std::size_t Count() const { return lines_.size(); }

    /// The bytes the lines were split from, mapped or read.
    const FileText& Text() const { return text_; }

private:
    FileText text_;
    std::unique_ptr<char[]> tabbedLines_; // the lines with tabs, tabs replaced
    std::vector<std::string_view> lines_;
};

} // namespace core
