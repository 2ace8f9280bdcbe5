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
// at work. A line is known by 4 bytes: its half and its number there.

#include <array>
#include <cstdint>
#include <string_view>

#include "core/BigArray.h"
#include "core/LineIndex.h"
#include "core/LineText.h"

namespace core {

inline constexpr std::string_view kIdenticalListsMessage =
    "either the lists of are identical\r\nor you have load just one list.";

class ListComparison {
public:
    /// Indexes both lists; they must outlive this object.
    ListComparison(LineSpan left, LineSpan right);

    /// False when the lists are identical or one of them holds no line: nothing to compare.
    bool Compares() const { return compares_; }

    std::uint64_t MultipleHitCount() const { return multipleHitCount_; }
    std::uint64_t SingleHitCount() const { return singleHitCount_; }

    /// Calls `visit(std::string_view)` for every multiple hit, in order.
    template <class Visit> void ForEachMultipleHit(Visit&& visit) const {
        if (!compares_)
            return;
        const bool leftDrives = left_.size() > right_.size();
        const LineSpan outer = leftDrives ? left_ : right_;
        const BigArray<Key>& outerKeys = leftDrives ? leftKeys_ : rightKeys_;
        const LineIndex::Side inner = leftDrives ? LineIndex::kRight : LineIndex::kLeft;
        for (std::size_t i = 0; i < outer.size(); ++i) {
            for (std::uint32_t k = Copies(outerKeys[i], inner); k > 0; --k)
                visit(outer[i]);
        }
    }

    /// Calls `visit(std::string_view)` for every single hit, in order.
    template <class Visit> void ForEachSingleHit(Visit&& visit) const {
        if (!compares_)
            return;
        VisitSingles(left_, leftKeys_, visit);
        VisitSingles(right_, rightKeys_, visit);
    }

private:
    // A line's key: its half of the hash space in the lowest bit, its id there above it.
    using Key = std::uint32_t;
    static constexpr int kHalves = 2;

    std::uint32_t Copies(Key key, LineIndex::Side side) const {
        return halves_[key & 1].Copies(key >> 1, side);
    }
    bool OnBothLists(Key key) const {
        return Copies(key, LineIndex::kLeft) > 0 && Copies(key, LineIndex::kRight) > 0;
    }
    /// Interns every line whose hash falls in half `half`, writing its key.
    void IndexHalf(int half);
    /// Both halves at once, the second on a thread of its own.
    void IndexBothHalves();
    /// The multiple and single hits, counted.
    void Count();

    template <class Visit>
    void VisitSingles(LineSpan lines, const BigArray<Key>& keys, Visit& visit) const {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (!lines[i].empty() && !OnBothLists(keys[i]))
                visit(lines[i]);
        }
    }

    LineSpan left_;
    LineSpan right_;
    bool compares_ = false;
    std::array<LineIndex, kHalves> halves_;
    BigArray<Key> leftKeys_;
    BigArray<Key> rightKeys_;
    std::uint64_t multipleHitCount_ = 0;
    std::uint64_t singleHitCount_ = 0;
};

} // namespace core
