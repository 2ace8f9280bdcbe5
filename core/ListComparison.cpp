#include "core/ListComparison.h"

#include <algorithm>

namespace core {

namespace {

std::vector<LineIndex::Id> InternAll(LineIndex& index, LineSpan lines) {
    // The table is far bigger than the caches: each line is hashed kAhead lines before it is
    // interned and its slot prefetched then, so the memory waits overlap.
    constexpr std::size_t kAhead = 16;
    std::uint64_t ahead[kAhead];
    const std::size_t n = lines.size();
    for (std::size_t i = 0; i < std::min(n, kAhead); ++i) {
        ahead[i] = LineIndex::Hash(lines[i]);
        index.Prefetch(ahead[i]);
    }
    std::vector<LineIndex::Id> ids;
    ids.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        std::uint64_t& hash = ahead[i % kAhead];
        ids.push_back(index.Intern(lines[i], hash));
        if (i + kAhead < n) {
            hash = LineIndex::Hash(lines[i + kAhead]);
            index.Prefetch(hash);
        }
    }
    return ids;
}

std::vector<std::uint32_t> CountCopies(const std::vector<LineIndex::Id>& ids,
                                       std::size_t distinct) {
    std::vector<std::uint32_t> count(distinct, 0);
    for (LineIndex::Id id : ids)
        ++count[id];
    return count;
}

} // namespace

ListComparison::ListComparison(LineSpan left, LineSpan right) : left_(left), right_(right) {
    compares_ = !left.empty() && !right.empty() && !JoinedTextsEqual(left, right);
    if (!compares_)
        return;

    LineIndex index(left.size() + right.size());
    leftIds_ = InternAll(index, left);
    rightIds_ = InternAll(index, right);
    leftCount_ = CountCopies(leftIds_, index.DistinctCount());
    rightCount_ = CountCopies(rightIds_, index.DistinctCount());

    const bool leftDrives = left.size() > right.size();
    const std::vector<LineIndex::Id>& outerIds = leftDrives ? leftIds_ : rightIds_;
    const std::vector<std::uint32_t>& innerCount = leftDrives ? rightCount_ : leftCount_;
    for (LineIndex::Id id : outerIds)
        multipleHitCount_ += innerCount[id];

    for (std::size_t i = 0; i < left.size(); ++i)
        singleHitCount_ += !left[i].empty() && !OnBothLists(leftIds_[i]);
    for (std::size_t i = 0; i < right.size(); ++i)
        singleHitCount_ += !right[i].empty() && !OnBothLists(rightIds_[i]);
}

} // namespace core
