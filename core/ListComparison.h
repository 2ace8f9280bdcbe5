#pragma once
// The comparison of a left and a right list.
//
// Multiple hits: the longer list drives (the right one on a tie); for each of its lines in
// order, that line once for every equal line on the other list. So a line found a times on
// one list and b times on the other gives a x b entries, standing together in the order of
// the driving list.
// Single hits: every line of the left list, then every line of the right list, less the lines
// found on both lists and less the empty lines, in their order.
// Lines are equal when their bytes are equal: case, spaces and encodings all count.
//
// The lists are not compared when their joined texts are equal or either has no line; the
// caller then shows kIdenticalListsMessage.
//
// Everything is computed from a hash index of the distinct lines that counts each line's
// copies on either list as it goes, in time proportional to the lists plus the entries
// produced; the entries are visited, never stored here. The hash space is split in two
// halves, each with its own index, filled by a thread of its own: no locks, and both cores
// at work. A line is known by 4 bytes: its half and its number there; the lists are walked
// again, not kept as views, whenever the entries are visited.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/BigArray.h"
#include "core/LineIndex.h"
#include "core/LineSource.h"

namespace core {

inline constexpr std::string_view kIdenticalListsMessage =
    "either the lists of are identical\r\nor you have load just one list.";

class ListComparison {
public:
    /// Indexes both lists; they must outlive this object and stay unchanged meanwhile.
    ListComparison(const LineSource& left, const LineSource& right);

    /// False when the lists are identical or one of them holds no line: nothing to compare.
    bool Compares() const { return compares_; }

    std::uint64_t MultipleHitCount() const { return multipleHitCount_; }
    std::uint64_t SingleHitCount() const { return singleHitCount_; }

    /// Where an entry comes from: a list, and the line's index on it (0 for the first).
    struct Origin {
        LineIndex::Side list;
        std::size_t index;
    };

    /// Calls `visit(std::string_view)` for every multiple hit, in order.
    template <class Visit> void ForEachMultipleHit(Visit&& visit) const {
        ForEachMultipleHitFrom([&](Origin, std::string_view line) { visit(line); });
    }

    /// Calls `visit(Origin, std::string_view)` for every multiple hit, in order; the origin is
    /// the line of the list whose order the entries follow.
    template <class Visit> void ForEachMultipleHitFrom(Visit&& visit) const {
        if (!compares_)
            return;
        const bool leftDrives = left_.Count() > right_.Count();
        const BigArray<Key>& outerKeys = leftDrives ? leftKeys_ : rightKeys_;
        const LineIndex::Side outer = leftDrives ? LineIndex::kLeft : LineIndex::kRight;
        const LineIndex::Side inner = leftDrives ? LineIndex::kRight : LineIndex::kLeft;
        ForEachKeyedLine(leftDrives ? left_ : right_, outerKeys,
                         [&](std::size_t i, Key key, std::string_view line) {
                             for (std::uint32_t k = CopiesIfOnBoth(key, inner); k > 0; --k)
                                 visit(Origin{outer, i}, line);
                         });
    }

    /// Calls `visit(std::string_view)` for every single hit, in order.
    template <class Visit> void ForEachSingleHit(Visit&& visit) const {
        ForEachSingleHitFrom([&](Origin, std::string_view line) { visit(line); });
    }

    /// Calls `visit(Origin, std::string_view)` for every single hit, in order.
    template <class Visit> void ForEachSingleHitFrom(Visit&& visit) const {
        ForEachSingleHitOn(LineIndex::kLeft, visit);
        ForEachSingleHitOn(LineIndex::kRight, visit);
    }

    /// The same for the single hits of one list; both lists may be walked at once.
    template <class Visit> void ForEachSingleHitOn(LineIndex::Side side, Visit&& visit) const {
        if (!compares_)
            return;
        ForEachKeyedLine(side == LineIndex::kLeft ? left_ : right_,
                         side == LineIndex::kLeft ? leftKeys_ : rightKeys_,
                         [&](std::size_t i, Key key, std::string_view line) {
                             if (!line.empty() && !OnBothLists(key))
                                 visit(Origin{side, i}, line);
                         });
    }

private:
    // A line's key: its half of the hash space in the lowest bit, its id there above it.
    using Key = std::uint32_t;
    static constexpr int kHalves = 2;

    /// Whether the line of `key` is on both lists: a bit a distinct line, set while counting,
    /// so that the walks over the lists find the answer in the cache rather than in the index.
    /// A line the index never saw counts as on neither list. That happens only when a source
    /// breaks its promise (a mapped file that shrank between two walks), and costs one
    /// comparison a line to keep the walks inside the index.
    bool OnBothLists(Key key) const {
        const std::vector<std::uint64_t>& bits = onBothLists_[key & 1];
        const std::size_t id = key >> 1;
        return id / 64 < bits.size() && (bits[id / 64] >> (id % 64) & 1);
    }
    /// Copies of the line of `key` on `side`, when it is on both lists; else 0.
    std::uint32_t CopiesIfOnBoth(Key key, LineIndex::Side side) const {
        return OnBothLists(key) ? halves_[key & 1].Copies(key >> 1, side) : 0;
    }
    /// Calls `visit(std::size_t, Key, std::string_view)` for the lines of `lines` in order,
    /// with their indexes and keys.
    template <class Visit>
    static void ForEachKeyedLine(const LineSource& lines, const BigArray<Key>& keys,
                                 Visit&& visit) {
        ForEachLineOf(lines, [&](std::size_t i, std::string_view line) {
            if (i < keys.size())
                visit(i, keys[i], line);
        });
    }
    /// Interns every line whose hash falls in half `half`, writing its key.
    void IndexHalf(int half);
    /// The multiple and single hits, counted.
    void Count();

    const LineSource& left_;
    const LineSource& right_;
    bool compares_ = false;
    std::array<LineIndex, kHalves> halves_;
    std::array<std::vector<std::uint64_t>, kHalves> onBothLists_;
    BigArray<Key> leftKeys_;
    BigArray<Key> rightKeys_;
    std::uint64_t multipleHitCount_ = 0;
    std::uint64_t singleHitCount_ = 0;
};

} // namespace core
