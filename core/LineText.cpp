#include "core/LineText.h"

#include <algorithm>
#include <array>
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
    explicit JoinedCursor(const LineSource& lines) : cursor_(lines.Walk()) {
        NextLine();
        Advance(0);
    }

    bool AtEnd() const { return atEnd_; }
    std::string_view Chunk() const { return chunk_; }

    void Advance(std::size_t bytes) {
        chunk_.remove_prefix(bytes);
        while (chunk_.empty() && !atEnd_) {
            if (inBreak_) {
                inBreak_ = false;
                NextLine();
            } else {
                inBreak_ = true;
                chunk_ = "\r\n";
            }
        }
    }

private:
    void NextLine() {
        if (next_ == filled_) {
            filled_ = cursor_->Read(batch_);
            next_ = 0;
        }
        if (next_ == filled_)
            atEnd_ = true;
        else
            chunk_ = batch_[next_++];
    }

    std::unique_ptr<LineSource::Cursor> cursor_;
    std::array<std::string_view, 64> batch_;
    std::size_t filled_ = 0;
    std::size_t next_ = 0;
    bool atEnd_ = false;
    bool inBreak_ = false;
    std::string_view chunk_;
};

} // namespace

bool JoinedTextsEqual(const LineSource& a, const LineSource& b) {
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

/// Splits the text again, handing out the copies of the lines with tabs in their place.
class LoadedList::Walker final : public LineSource::Cursor {
public:
    explicit Walker(const LoadedList& list)
        : list_(list), lines_(list.text_.Text()), emptyLineDue_(list.emptyText_) {}

    std::size_t Read(std::span<std::string_view> batch) override {
        std::size_t n = 0;
        if (emptyLineDue_ && !batch.empty()) {
            emptyLineDue_ = false;
            batch[n++] = std::string_view(list_.text_.Text().data(), 0);
        }
        const std::vector<TabbedLine>& tabbed = list_.tabbed_;
        std::string_view line;
        while (n < batch.size() && lines_.Next(line)) {
            if (nextTabbed_ < tabbed.size() && line.data() == tabbed[nextTabbed_].start)
                line = tabbed[nextTabbed_++].replaced;
            batch[n++] = line;
        }
        return n;
    }

private:
    const LoadedList& list_;
    LineSplitter lines_;
    bool emptyLineDue_;
    std::size_t nextTabbed_ = 0;
};

LoadedList::LoadedList(std::string bytes, int tabSize)
    : LoadedList(FileText(std::move(bytes)), tabSize) {}

LoadedList::LoadedList(FileText text, int tabSize) : text_(std::move(text)) {
    // Only the text before the first NUL: nothing past it is split or searched for tabs.
    const std::string_view bytes = text_.Text();

    // The next tab is looked for past the line that held the last one only, so a text
    // without tabs costs one memchr.
    const char* const end = bytes.data() + bytes.size();
    auto findTab = [end](const char* from) {
        const void* tab = std::memchr(from, '\t', static_cast<std::size_t>(end - from));
        return tab ? static_cast<const char*>(tab) : end;
    };
    const char* nextTab = findTab(bytes.data());
    std::vector<std::string_view> tabbed; // the lines holding a tab
    ForEachLine(bytes, [&](std::string_view line) {
        const char* const lineEnd = line.data() + line.size();
        if (nextTab < lineEnd) {
            tabbed.push_back(line);
            nextTab = findTab(lineEnd);
        }
        ++count_;
    });
    if (count_ == 0) {
        emptyText_ = true;
        count_ = 1;
    }
    if (tabbed.empty())
        return;

    // Those lines are copied, tabs replaced, into one store sized for all of them.
    const std::size_t width = tabSize > 0 ? static_cast<std::size_t>(tabSize) : 0;
    std::size_t size = 0;
    for (const std::string_view line : tabbed) {
        const auto tabs = static_cast<std::size_t>(std::count(line.begin(), line.end(), '\t'));
        size += line.size() - tabs + tabs * width;
    }
    tabbedStore_ = std::make_unique_for_overwrite<char[]>(size);
    tabbed_.reserve(tabbed.size());
    char* out = tabbedStore_.get();
    for (const std::string_view line : tabbed) {
        char* const start = out;
        for (const char c : line) {
            if (c == '\t')
                out = std::fill_n(out, width, ' ');
            else
                *out++ = c;
        }
        tabbed_.push_back(
            {line.data(), std::string_view(start, static_cast<std::size_t>(out - start))});
    }
}

std::unique_ptr<LineSource::Cursor> LoadedList::Walk() const {
    return std::make_unique<Walker>(*this);
}

} // namespace core
