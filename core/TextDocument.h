#pragma once
// A text as lines of bytes: the one store of the list editors' text (and of anything else
// that keeps lines). Four primitives are the only way the text changes; after each, every
// listener is told which lines went and which came in their place.
//
// A loaded file stays one buffer of bytes and each line is an offset and a length into it; a
// line is copied out only when it is replaced or inserted, into a second buffer that only
// grows (and is compacted when most of it is garbage). So a line of a loaded list costs 16
// bytes beside its text, and a load is one read and one scan. The line table keeps a gap where
// it was last edited, so typing Enter or joining lines does not move the lines after it.
//
// Views returned by Line() stay valid until the next change.

#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/GapVector.h"
#include "core/LineSource.h"

namespace core {

/// What one change did: at `first`, `removed` lines went and `added` lines came. The first
/// min(removed, added) lines were changed in place (they keep whatever follows them);
/// `replacedAll` says that nothing of the old text remains.
struct LineChange {
    int first = 0;
    int removed = 0;
    int added = 0;
    bool replacedAll = false;
    friend bool operator==(const LineChange&, const LineChange&) = default;
};

/// How a load turns bytes into lines, beyond the breaks and the NUL that always apply.
struct LoadRules {
    int tabSize = -1;                // every tab becomes this many spaces; below 0: kept
    bool emptyTextIsOneLine = false; // a text without lines gives one empty line
};

/// Told of every change, in the order the listeners were added: before lines are removed
/// (while they, and whatever a listener keeps for them, still exist), and after every change.
class DocumentListener {
public:
    /// Lines [first, first + count) are about to go (a deletion, or a whole new text).
    virtual void LinesRemoving(int /*first*/, int /*count*/) {}
    virtual void LinesChanged(const LineChange& change) = 0;

protected:
    ~DocumentListener() = default;
};

class TextDocument {
    // A line: where its bytes are and how many. The top bit of `start` says which buffer.
    struct Entry {
        std::uint64_t start;
        std::uint32_t size;
    };

    // A whole new text while it is being built: its lines, and copies of those that do not
    // lie in its buffer.
    struct NewText {
        std::vector<Entry> entries;
        std::string edited;
        void Add(Entry e);
        void AddCopy(std::string_view line);
    };

public:
    /// A whole text as lines, in no document yet: split from a file's bytes by the load rules
    /// (Split), or built line by line (Append). Building reads nothing but its input, so it may
    /// run on any thread; the text then takes a document's place in one step (Load), on the
    /// document's thread.
    class SplitText {
    public:
        int Count() const { return static_cast<int>(text_.entries.size()); }
        /// Room for `lines` lines of `bytes` bytes in all, so appending them does not regrow.
        void Reserve(std::size_t lines, std::size_t bytes);
        /// Adds a copy of `line` as the last line.
        void Append(std::string_view line);

    private:
        friend class TextDocument;
        std::string bytes_;
        NewText text_;
    };

    TextDocument() = default;
    TextDocument(const TextDocument&) = delete;
    TextDocument& operator=(const TextDocument&) = delete;

    int Count() const { return static_cast<int>(lines_.size()); }
    /// Line `index`, which must lie in 0..Count()-1.
    std::string_view Line(int index) const {
        const Entry& e = lines_[static_cast<std::size_t>(index)];
        return {BufferOf(e).data() + (e.start & kOffsetMask), e.size};
    }
    int Length(int index) const {
        return static_cast<int>(lines_[static_cast<std::size_t>(index)].size);
    }
    /// The greatest line length. The document counts its lines by length as they change, so
    /// this never walks the lines.
    int LongestLine() const;

    // --- the primitives ---
    /// Inserts `lines` before line `at` (0..Count()).
    void InsertLines(int at, std::span<const std::string_view> lines);
    void InsertLine(int at, std::string_view line) { InsertLines(at, {&line, 1}); }
    /// Removes `count` lines from `at`.
    void DeleteLines(int at, int count);
    /// Replaces the text of line `index`.
    void ReplaceLine(int index, std::string_view text);
    /// Replaces the whole text by `lines`, which may point into `buffer`; the document takes
    /// `buffer` over and the lines that point into it are not copied. (Taken by reference,
    /// so views into a short string stay valid until it is taken over.)
    void ReplaceAll(std::string&& buffer, std::span<const std::string_view> lines);
    /// Replaces the whole text by the lines of `bytes` split by the load rules of a list
    /// (LineText.h): breaks, the first NUL, tabs. Only lines with a tab are copied.
    void Load(std::string bytes, const LoadRules& rules) { Load(Split(std::move(bytes), rules)); }
    /// Replaces the whole text by a text split beforehand.
    void Load(SplitText&& text);
    /// The lines of `bytes` by the load rules, as Load would make them.
    static SplitText Split(std::string bytes, const LoadRules& rules);

    void AddListener(DocumentListener& listener) { listeners_.push_back(&listener); }
    void RemoveListener(DocumentListener& listener);

    /// Bytes held for the text and its lines (for the benchmarks).
    std::size_t MemoryUsed() const;

private:
    static constexpr std::uint64_t kEdited = 1ULL << 63;
    static constexpr std::uint64_t kOffsetMask = kEdited - 1;

    /// Puts a new text built over `buffer` in place of the old one, and tells the listeners.
    void TakeOver(std::string&& buffer, NewText&& text);

    const std::string& BufferOf(const Entry& e) const {
        return (e.start & kEdited) ? edited_ : loaded_;
    }
    /// Copies `text` into the edited buffer and returns its entry.
    Entry Store(std::string_view text);
    /// Copies out `lines` that point into the edited buffer, which may move under them.
    std::vector<std::string> Detach(std::span<const std::string_view> lines) const;
    void CompactIfMostlyGarbage();
    void LengthsGone(std::size_t from, std::size_t to);
    /// One line of `size` more (delta 1) or less (delta -1).
    void CountLength(std::uint32_t size, int delta);
    void Notify(const LineChange& change);
    void NotifyRemoving(int first, int count);

    std::string loaded_; // the bytes of the last whole replacement
    std::string edited_; // copies of lines inserted or replaced since
    std::size_t editedLive_ = 0;
    GapVector<Entry> lines_; // edits at one place move no other lines
    // Lines by length: lengths below kShortLengths in a table, longer ones in a map; longest_
    // is where the search for the greatest short length starts.
    static constexpr int kShortLengths = 1024;
    std::vector<int> shortCounts_ = std::vector<int>(kShortLengths, 0);
    std::map<std::uint32_t, int> longCounts_;
    mutable int longest_ = 0;
    std::vector<DocumentListener*> listeners_;
};

/// A document's lines as a line source, read in place.
class DocumentLines final : public LineSource {
public:
    explicit DocumentLines(const TextDocument& document) : document_(document) {}
    std::size_t Count() const override { return static_cast<std::size_t>(document_.Count()); }
    std::unique_ptr<Cursor> Walk() const override;

private:
    const TextDocument& document_;
};

} // namespace core
