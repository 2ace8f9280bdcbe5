#include "core/LineText.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace core {

std::string_view TextBeforeNul(std::string_view bytes) {
    const void* nul = std::memchr(bytes.data(), '\0', bytes.size());
    if (!nul)
        return bytes;
    return bytes.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - bytes.data()));
}

std::string ReplaceTabs(std::string_view text, int tabSize) {
    const std::size_t tabs = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\t'));
    const std::size_t width = tabSize > 0 ? static_cast<std::size_t>(tabSize) : 0;
    std::string out;
    out.reserve(text.size() - tabs + tabs * width);
    for (char c : text) {
        if (c == '\t')
            out.append(width, ' ');
        else
            out.push_back(c);
    }
    return out;
}

std::string JoinedText(LineSpan lines) {
    std::size_t size = 0;
    for (std::string_view line : lines)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (std::string_view line : lines) {
        text.append(line);
        text.append("\r\n");
    }
    return text;
}

namespace {

/// Walks the joined text of a list chunk by chunk: a line, then its CR LF.
class JoinedCursor {
public:
    explicit JoinedCursor(LineSpan lines) : lines_(lines) {
        Load();
        Advance(0);
    }

    bool AtEnd() const { return line_ == lines_.size(); }
    std::string_view Chunk() const { return chunk_; }

    void Advance(std::size_t bytes) {
        chunk_.remove_prefix(bytes);
        while (chunk_.empty() && !AtEnd()) {
            if (inBreak_) {
                inBreak_ = false;
                ++line_;
            } else {
                inBreak_ = true;
            }
            Load();
        }
    }

private:
    void Load() {
        if (AtEnd())
            chunk_ = {};
        else if (inBreak_)
            chunk_ = "\r\n";
        else
            chunk_ = lines_[line_];
    }

    LineSpan lines_;
    std::size_t line_ = 0;
    bool inBreak_ = false;
    std::string_view chunk_;
};

/// The CR and LF bytes of `text`, eight bytes at a time: this pass costs as much as the split
/// itself when taken a byte at a time.
std::size_t CountBreaks(std::string_view text) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kLows = 0x7F7F7F7F7F7F7F7FULL;
    // The high bit of each byte that is zero, and of no other byte.
    auto zeroBytes = [](std::uint64_t x) { return ~(((x & kLows) + kLows) | x) & ~kLows; };
    const char* p = text.data();
    const char* const end = p + text.size();
    std::size_t breaks = 0;
    for (; end - p >= 8; p += 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        // One bit a break at the bottom of its byte; the multiplication sums the bytes into
        // the top one.
        const std::uint64_t found =
            (zeroBytes(word ^ (kOnes * '\n')) | zeroBytes(word ^ (kOnes * '\r'))) >> 7;
        breaks += static_cast<std::size_t>((found * kOnes) >> 56);
    }
    for (; p != end; ++p)
        breaks += (*p == '\r') | (*p == '\n');
    return breaks;
}

} // namespace

bool JoinedTextsEqual(LineSpan a, LineSpan b) {
    JoinedCursor x(a), y(b);
    while (!x.AtEnd() && !y.AtEnd()) {
        const std::size_t n = std::min(x.Chunk().size(), y.Chunk().size());
        if (std::memcmp(x.Chunk().data(), y.Chunk().data(), n) != 0)
            return false;
        x.Advance(n);
        y.Advance(n);
    }
    return x.AtEnd() && y.AtEnd();
}

LoadedList::LoadedList(std::string bytes, int tabSize)
    : LoadedList(FileText(std::move(bytes)), tabSize) {}

LoadedList::LoadedList(FileText text, int tabSize) : text_(std::move(text)) {
    const std::string_view bytes = TextBeforeNul(text_.Bytes());
    // Every line but the last ends at a CR or LF: reserve once instead of growing through
    // copies (a CR LF file reserves twice what it needs, in address space only).
    lines_.reserve(CountBreaks(bytes) + 1);

    // The next tab is looked for past the line that held the last one only, so a text
    // without tabs costs one memchr.
    const char* const end = bytes.data() + bytes.size();
    auto findTab = [end](const char* from) {
        const void* tab = std::memchr(from, '\t', static_cast<std::size_t>(end - from));
        return tab ? static_cast<const char*>(tab) : end;
    };
    const char* nextTab = findTab(bytes.data());
    std::vector<std::size_t> tabbed; // indices of the lines holding a tab
    ForEachLine(bytes, [&](std::string_view line) {
        const char* const lineEnd = line.data() + line.size();
        if (nextTab < lineEnd) {
            tabbed.push_back(lines_.size());
            nextTab = findTab(lineEnd);
        }
        lines_.push_back(line);
    });
    if (lines_.empty())
        lines_.push_back(std::string_view(text_.Bytes().data(), 0));
    if (tabbed.empty())
        return;

    // Those lines move, tabs replaced, into one store sized for all of them.
    const std::size_t width = tabSize > 0 ? static_cast<std::size_t>(tabSize) : 0;
    std::size_t size = 0;
    for (const std::size_t i : tabbed) {
        const auto tabs =
            static_cast<std::size_t>(std::count(lines_[i].begin(), lines_[i].end(), '\t'));
        size += lines_[i].size() - tabs + tabs * width;
    }
    tabbedLines_ = std::make_unique_for_overwrite<char[]>(size);
    char* out = tabbedLines_.get();
    for (const std::size_t i : tabbed) {
        char* const start = out;
        for (const char c : lines_[i]) {
            if (c == '\t')
                out = std::fill_n(out, width, ' ');
            else
                *out++ = c;
        }
        lines_[i] = std::string_view(start, static_cast<std::size_t>(out - start));
    }
}

} // namespace core
