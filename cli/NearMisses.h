#pragma once
// Near misses: single hits that equal a single hit of the other list once a difference the
// reader cannot see is ignored (see NearMissFolding.h). Each such hit is counted once, under the
// first cause in order that its match needs ignored: "Apple " against "apple" needs both
// blanks and case, and counts under blanks.
//
// A hit is paired with one line of the other list: the first it matches while ignoring as
// few causes as possible (the first one, then the first two, ...). So the pairs grow with
// the hits, never with their product, however many copies a list holds.
//
// Costs one walk over each list's single hits, folding each and keeping an entry of 32 bytes
// for each hash of its folds (FoldedHashes: one for printable ASCII), and a bit a hash in a
// filter; only hits with a hash on both lists are looked at further, in groups of hits linked
// by their hashes.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/NearMissFolding.h"
#include "core/ListComparison.h"

namespace cli {

struct NearMissPair {
    std::size_t leftIndex; // 0 for a list's first line
    std::size_t rightIndex;
    NearMissCause cause;
    std::string_view left;
    std::string_view right;
};

/// The single hits that near misses are looked for among: their number, and a walk over
/// one list's hits in order. The views it hands out must stay valid while the NearMisses that
/// read them lives.
class SingleHitSource {
public:
    using Visit = std::function<void(core::ListComparison::Origin, std::string_view)>;
    virtual ~SingleHitSource() = default;
    virtual std::uint64_t Count() const = 0;
    virtual void ForEachOn(core::LineIndex::Side side, const Visit& visit) const = 0;
};

/// The single hits of a comparison (core::ListComparison or SpilledComparison) whose views
/// stay valid as they are.
template <class Comparison> class SingleHitsOf final : public SingleHitSource {
public:
    explicit SingleHitsOf(const Comparison& comparison) : comparison_(comparison) {}
    std::uint64_t Count() const override { return comparison_.SingleHitCount(); }
    void ForEachOn(core::LineIndex::Side side, const Visit& visit) const override {
        comparison_.ForEachSingleHitOn(side, visit);
    }

private:
    const Comparison& comparison_;
};

class NearMisses {
public:
    static constexpr std::size_t kExamples = 5;

    /// Finds the near misses among the single hits of `comparison`, whose lists must outlive
    /// this object.
    explicit NearMisses(const core::ListComparison& comparison)
        : NearMisses(SingleHitsOf<core::ListComparison>(comparison)) {}
    explicit NearMisses(const SingleHitSource& hits);

    /// Hits counted under `cause`.
    std::uint64_t Count(NearMissCause cause) const { return counts_[static_cast<int>(cause)]; }
    std::uint64_t Total() const;
    std::uint64_t SingleHits() const { return singleHits_; }

    /// Every pair, by left and then right line.
    const std::vector<NearMissPair>& Pairs() const { return pairs_; }

    /// The report after the counts: the total, then each cause found with its count and its
    /// first kExamples pairs, texts escaped.
    std::string SummaryText() const;

    /// A pair's line, without its line break: left and right line numbers, cause, both texts
    /// escaped, by tabs.
    static std::string PairLine(const NearMissPair& pair);

private:
    std::array<std::uint64_t, kNearMissCauses> counts_{};
    std::uint64_t singleHits_ = 0;
    std::vector<NearMissPair> pairs_;
};

} // namespace cli
