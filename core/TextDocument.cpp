#include "core/TextDocument.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <stdexcept>

#include "core/LineText.h"

namespace core {

namespace {

bool PointsInto(std::string_view view, const std::string& buffer) {
    if (view.empty() || buffer.empty())
        return false;
    std::less_equal<const char*> le;
    return le(buffer.data(), view.data()) && le(view.data(), buffer.data() + buffer.size());
}

std::uint32_t CheckedSize(std::size_t size) {
    if (size > std::numeric_limits<std::int32_t>::max())
        throw std::length_error("line too long");
    return static_cast<std::uint32_t>(size);
}

} // namespace

int TextDocument::LongestLine() const {
    if (!longCounts_.empty())
        return static_cast<int>(longCounts_.rbegin()->first);
    // Down from the last longest length to the first one that a line still has.
    int longest = std::min(longest_, kShortLengths - 1);
    while (longest > 0 && shortCounts_[static_cast<std::size_t>(longest)] == 0)
        --longest;
    longest_ = longest;
    return longest;
}

void TextDocument::CountLength(std::uint32_t size, int delta) {
    if (size < static_cast<std::uint32_t>(kShortLengths)) {
        shortCounts_[size] += delta;
        if (delta > 0)
            longest_ = std::max(longest_, static_cast<int>(size));
        return;
    }
    const auto it = longCounts_.try_emplace(size, 0).first;
    it->second += delta;
    if (it->second == 0)
        longCounts_.erase(it);
}

namespace {

class DocumentWalker final : public LineSource::Cursor {
public:
    explicit DocumentWalker(const TextDocument& document) : document_(document) {}
    std::size_t Read(std::span<std::string_view> batch) override {
        std::size_t n = 0;
        for (; n < batch.size() && next_ < document_.Count(); ++n)
            batch[n] = document_.Line(next_++);
        return n;
    }

private:
    const TextDocument& document_;
    int next_ = 0;
};

} // namespace

std::unique_ptr<LineSource::Cursor> DocumentLines::Walk() const {
    return std::make_unique<DocumentWalker>(document_);
}

TextDocument::Entry TextDocument::Store(std::string_view text) {
    const Entry e{kEdited | edited_.size(), CheckedSize(text.size())};
    edited_.append(text);
    editedLive_ += text.size();
    CountLength(e.size, 1);
    return e;
}

std::vector<std::string> TextDocument::Detach(std::span<const std::string_view> lines) const {
    std::vector<std::string> copies;
    if (std::any_of(lines.begin(), lines.end(),
                    [this](std::string_view l) { return PointsInto(l, edited_); })) {
        copies.reserve(lines.size());
        for (std::string_view l : lines)
            copies.emplace_back(l);
    }
    return copies;
}

void TextDocument::LengthsGone(std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i)
        CountLength(lines_[i].size, -1);
}

void TextDocument::InsertLines(int at, std::span<const std::string_view> lines) {
    if (at < 0 || at > Count())
        throw std::out_of_range("line index out of range");
    if (lines.empty())
        return;
    // Lines taken from this document are copied first: storing moves the edited buffer.
    const std::vector<std::string> copies = Detach(lines);
    std::vector<Entry> entries;
    entries.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        entries.push_back(Store(copies.empty() ? lines[i] : std::string_view(copies[i])));
    lines_.Insert(static_cast<std::size_t>(at), entries.data(), entries.size());
    Notify({at, 0, static_cast<int>(lines.size()), false});
}

void TextDocument::DeleteLines(int at, int count) {
    if (at < 0 || count < 0 || at + count > Count())
        throw std::out_of_range("line index out of range");
    if (count == 0)
        return;
    NotifyRemoving(at, count);
    LengthsGone(static_cast<std::size_t>(at), static_cast<std::size_t>(at + count));
    for (int i = at; i < at + count; ++i) {
        const Entry& e = lines_[static_cast<std::size_t>(i)];
        if (e.start & kEdited)
            editedLive_ -= e.size;
    }
    lines_.Erase(static_cast<std::size_t>(at), static_cast<std::size_t>(count));
    CompactIfMostlyGarbage();
    Notify({at, count, 0, false});
}

void TextDocument::ReplaceLine(int index, std::string_view text) {
    if (index < 0 || index >= Count())
        throw std::out_of_range("line index out of range");
    const std::string copy = PointsInto(text, edited_) ? std::string(text) : std::string();
    if (!copy.empty())
        text = copy;
    Entry& e = lines_[static_cast<std::size_t>(index)];
    LengthsGone(static_cast<std::size_t>(index), static_cast<std::size_t>(index) + 1);
    if (e.start & kEdited)
        editedLive_ -= e.size;
    e = Store(text);
    CompactIfMostlyGarbage();
    Notify({index, 1, 1, false});
}

void TextDocument::NewText::Add(Entry e) {
    entries.push_back(e);
}

void TextDocument::NewText::AddCopy(std::string_view line) {
    Add({kEdited | edited.size(), CheckedSize(line.size())});
    edited.append(line);
}

void TextDocument::TakeOver(std::string&& buffer, NewText&& text) {
    const int removed = Count();
    if (removed > 0)
        NotifyRemoving(0, removed);
    // The old texts are moved out first: a short new text moved into a string would keep that
    // string's old room (the whole old file, after a clear), while moving out takes it along.
    const std::string oldLoaded = std::move(loaded_);
    const std::string oldEdited = std::move(edited_);
    loaded_ = std::move(buffer);
    edited_ = std::move(text.edited);
    editedLive_ = edited_.size();
    lines_.Assign(std::move(text.entries));
    shortCounts_.assign(kShortLengths, 0);
    longCounts_.clear();
    longest_ = 0;
    lines_.ForEach([this](const Entry& e) { CountLength(e.size, 1); });
    Notify({0, removed, Count(), true});
}

void TextDocument::ReplaceAll(std::string&& buffer, std::span<const std::string_view> lines) {
    // Lines from this document's own buffers are copied first, as those buffers are going.
    const std::vector<std::string> copies = Detach(lines);
    NewText text;
    text.entries.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = copies.empty() ? lines[i] : std::string_view(copies[i]);
        if (PointsInto(line, buffer))
            text.Add({static_cast<std::uint64_t>(line.data() - buffer.data()),
                      CheckedSize(line.size())});
        else
            text.AddCopy(line);
    }
    TakeOver(std::move(buffer), std::move(text));
}

void TextDocument::SplitText::Reserve(std::size_t lines, std::size_t bytes) {
    text_.entries.reserve(lines);
    bytes_.reserve(bytes);
}

void TextDocument::SplitText::Append(std::string_view line) {
    text_.Add({static_cast<std::uint64_t>(bytes_.size()), CheckedSize(line.size())});
    bytes_.append(line);
}

void TextDocument::Load(SplitText&& text) {
    TakeOver(std::move(text.bytes_), std::move(text.text_));
}

TextDocument::SplitText TextDocument::Split(std::string bytes, const LoadRules& rules) {
    // The new text is built before anything is replaced: running out of memory half way
    // leaves the old text as it was.
    SplitText split;
    const std::string_view all = TextBeforeNul(bytes);
    const auto breaks = static_cast<std::size_t>(std::max(
        std::count(all.begin(), all.end(), '\n'), std::count(all.begin(), all.end(), '\r')));
    NewText& text = split.text_;
    text.entries.reserve(breaks + 1);
    ForEachLine(all, [&](std::string_view line) {
        if (rules.tabSize >= 0 && line.find('\t') != std::string_view::npos)
            text.AddCopy(ReplaceTabs(line, rules.tabSize));
        else
            text.Add(
                {static_cast<std::uint64_t>(line.data() - bytes.data()), CheckedSize(line.size())});
    });
    if (text.entries.empty() && rules.emptyTextIsOneLine)
        text.Add({0, 0});
    split.bytes_ = std::move(bytes); // the lines are offsets, so the bytes may move
    return split;
}

void TextDocument::CompactIfMostlyGarbage() {
    // Every replacement leaves its old copy behind; once garbage outweighs the live lines
    // and is worth the pass, the live ones move to a fresh buffer. The pass visits every
    // line, so it waits for a byte of garbage a line: typing in ten million lines then pays
    // for it no more often than in a short list.
    const std::size_t garbage = edited_.size() - editedLive_;
    if (garbage < std::max<std::size_t>(1u << 16, lines_.size()) || garbage < editedLive_)
        return;
    std::string fresh;
    fresh.reserve(editedLive_);
    lines_.ForEach([&](Entry& e) {
        if (!(e.start & kEdited))
            return;
        const std::uint64_t start = fresh.size();
        fresh.append(edited_, e.start & kOffsetMask, e.size);
        e.start = kEdited | start;
    });
    edited_ = std::move(fresh);
}

void TextDocument::RemoveListener(DocumentListener& listener) {
    std::erase(listeners_, &listener);
}

void TextDocument::NotifyRemoving(int first, int count) {
    for (std::size_t i = 0; i < listeners_.size(); ++i)
        listeners_[i]->LinesRemoving(first, count);
}

void TextDocument::Notify(const LineChange& change) {
    for (std::size_t i = 0; i < listeners_.size(); ++i)
        listeners_[i]->LinesChanged(change);
}

std::size_t TextDocument::MemoryUsed() const {
    return loaded_.capacity() + edited_.capacity() + lines_.capacity() * sizeof(Entry);
}

} // namespace core
