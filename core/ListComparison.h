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
// Everything is computed from one hash index of the distinct lines, in time proportional to
// the lists plus the entries produced; the entries are visited, never stored here.

#include <cstdint>
#include <string_view>
#include <vector>

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
        const std::vector<LineIndex::Id>& outerIds = leftDrives ? leftIds_ : rightIds_;
        const std::vector<std::uint32_t>& innerCount = leftDrives ? rightCount_ : leftCount_;
        for (std::size_t i = 0; i < outer.size(); ++i) {
            for (std::uint32_t k = innerCount[outerIds[i]]; k > 0; --k)
                visit(outer[i]);
        }
    }

    /// Calls `visit(std::string_view)` for every single hit, in order.
    template <class Visit> void ForEachSingleHit(Visit&& visit) const {
        if (!compares_)
            return;
        VisitSingles(left_, leftIds_, visit);
        VisitSingles(right_, rightIds_, visit);
    }

private:
    bool OnBothLists(LineIndex::Id id) const { return leftCount_[id] > 0 && rightCount_[id] > 0; }

    template <class Visit>
    void VisitSingles(LineSpan lines, const std::vector<LineIndex::Id>& ids, Visit& visit) const {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (!lines[i].empty() && !OnBothLists(ids[i]))
                visit(lines[i]);
        }
    }

    LineSpan left_;
    LineSpan right_;
    bool compares_ = false;
    std::vector<LineIndex::Id> leftIds_;
    std::vector<LineIndex::Id> rightIds_;
    std::vector<std::uint32_t> leftCount_;  // per distinct line: copies on the left list
    std::vector<std::uint32_t> rightCount_; // per distinct line: copies on the right list
    std::uint64_t multipleHitCount_ = 0;
    std::uint64_t singleHitCount_ = 0;
};

} // namespace core
