#include "core/ListComparison.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "core/LineText.h"
#include "core/RunBoth.h"

namespace core {

namespace {

constexpr std::size_t kMostLines = std::numeric_limits<std::uint32_t>::max();

/// The half of the hash space a hash falls in.
int HalfOf(std::uint64_t hash) {
    return static_cast<int>(hash >> 63);
}

// Interns the lines of one list whose hash falls in `half`, counting them on `side`. The
// index is far bigger than the caches on large lists, and interning a line that is there
// takes three loads that depend on each other: its slot, the distinct line the slot names,
// that line's bytes. So each line goes through a pipeline, a stage every kStage lines, and
// the memory waits of different lines overlap: hashed and its slot prefetched, then its
// distinct line, then its bytes, then interned.
void InternHalf(LineIndex& index, int half, const LineSource& lines, LineIndex::Side side,
                BigArray<std::uint32_t>& keys) {
    constexpr std::size_t kStage = 6;
    constexpr std::size_t kAhead = 3 * kStage;
    struct Pending {
        std::size_t index;
        std::string_view line;
        std::uint64_t hash;
    };
    Pending ring[kAhead];
    std::size_t queued = 0; // lines taken into the ring so far
    std::size_t done = 0;   // lines interned so far
    auto intern = [&](const Pending& p) {
        keys[p.index] = (index.Count(p.line, p.hash, side) << 1) | static_cast<unsigned>(half);
    };
    ForEachLineOf(lines, [&](std::size_t i, std::string_view line) {
        if (i >= keys.size())
            return;
        const std::uint64_t hash = LineIndex::Hash(line);
        if (HalfOf(hash) != half)
            return;
        if (queued - done == kAhead)
            intern(ring[done++ % kAhead]);
        const std::size_t pending = queued - done;
        if (pending >= kStage)
            index.PrefetchEntry(ring[(queued - kStage) % kAhead].hash);
        if (pending >= 2 * kStage)
            index.PrefetchCandidate(ring[(queued - 2 * kStage) % kAhead].hash);
        index.Prefetch(hash);
        ring[queued++ % kAhead] = {i, line, hash};
    });
    while (done < queued)
        intern(ring[done++ % kAhead]);
}

} // namespace

ListComparison::ListComparison(const LineSource& left, const LineSource& right)
    : left_(left), right_(right), halves_{LineIndex(0), LineIndex(0)} {
    compares_ = left.Count() > 0 && right.Count() > 0 && !JoinedTextsEqual(left, right);
    if (!compares_)
        return;
    // A line's copies are counted in 32 bits.
    if (left.Count() > kMostLines || right.Count() > kMostLines)
        throw std::length_error("too many lines");

    // Each half's table is sized for every line being distinct, its half of them: a table
    // that grows copies itself, and one sized for fewer lines would grow on most lists. Its
    // distinct lines get address space for all the lines, in case the hash favours one half;
    // only what is used becomes memory.
    const std::size_t lines = left.Count() + right.Count();
    halves_ = {LineIndex(lines / 2, lines), LineIndex(lines / 2, lines)};
    leftKeys_ = BigArray<Key>(left.Count());
    rightKeys_ = BigArray<Key>(right.Count());

    // The second half on a thread of its own; each half writes only its own lines' keys.
    // Short lists are done before a thread would have started.
    constexpr std::size_t kLinesWorthAThread = 1 << 16;
    if (lines < kLinesWorthAThread) {
        IndexHalf(0);
        IndexHalf(1);
    } else {
        InTwoParts([&](int half) { IndexHalf(half); });
    }
    Count();
}

void ListComparison::Count() {
    // From the distinct lines and their copies, in one pass over each index: a line with a
    // copies on the driving list and b on the other gives a x b multiple hits; a line on one
    // list only gives each of its copies as a single hit, unless it is empty.
    const LineIndex::Side outer =
        left_.Count() > right_.Count() ? LineIndex::kLeft : LineIndex::kRight;
    const LineIndex::Side inner = outer == LineIndex::kLeft ? LineIndex::kRight : LineIndex::kLeft;
    for (int half = 0; half < kHalves; ++half) {
        const LineIndex& index = halves_[static_cast<std::size_t>(half)];
        std::vector<std::uint64_t>& onBoth = onBothLists_[static_cast<std::size_t>(half)];
        onBoth.assign((index.DistinctCount() + 63) / 64, 0);
        for (LineIndex::Id id = 0; id < index.DistinctCount(); ++id) {
            const std::uint64_t a = index.Copies(id, outer);
            const std::uint64_t b = index.Copies(id, inner);
            multipleHitCount_ += a * b;
            if (a > 0 && b > 0)
                onBoth[id / 64] |= std::uint64_t{1} << (id % 64);
            else if (!index.Line(id).empty())
                singleHitCount_ += a + b;
        }
    }
}

void ListComparison::IndexHalf(int half) {
    LineIndex& index = halves_[static_cast<std::size_t>(half)];
    InternHalf(index, half, left_, LineIndex::kLeft, leftKeys_);
    InternHalf(index, half, right_, LineIndex::kRight, rightKeys_);
}

} // namespace core
