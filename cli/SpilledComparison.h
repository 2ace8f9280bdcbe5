#pragma once
// The comparison of two lists larger than the memory budget, with the results of
// core::ListComparison, entry for entry and in the same order.
//
// 1. Spill: each list is read once, as a stream (ListReader), and every line goes to one of
//    P partitions by its hash, into a file of the list's own: its position and its bytes.
//    Equal lines have equal hashes, so all copies of a line, on either list, meet in one
//    partition.
// 2. Compare: a partition's two files are read twice. First each line is counted on its list
//    in a hash index that keeps one copy of each distinct line (so a line repeated a hundred
//    million times costs one entry, not a hundred million); then each line is looked up and
//    its entry written to the partition's result file of its list: a line of the driving list
//    found on both lists with its copies on the other, a non-empty line found on one list
//    alone as a single hit. The counts add up over the partitions. Two threads take the
//    partitions in turn.
//    A partition whose distinct lines outgrow its share of the budget (more lines than the
//    lists' sizes promised, or a pipe's) is split again: its index is dropped, its records go
//    into smaller partitions by another hash of the line, each compared as above, and their
//    results merged by position into the partition's own. (Every file stays until the end:
//    removing files while others are made in the folder slows both.) After three splits a partition
//    is compared whatever it costs (a few huge distinct lines split no further).
// 3. Merge: a list's entries are its partitions' result files merged by position
//    (ResultMerge.h), read as the entries are written.
//
// The lists are identical exactly when they are as long and each partition's two spill files
// hold the same bytes: a line and its position are the same on both.
//
// P is chosen so that a partition's index takes about a quarter of the budget (two are built
// at once, and an index doubles as it grows); a list of unknown size (a pipe) counts as large.

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/InputWarnings.h"
#include "cli/LineStore.h"
#include "cli/ListReader.h"
#include "cli/NearMisses.h"
#include "cli/Progress.h"
#include "cli/ResultMerge.h"
#include "cli/TemporaryFiles.h"
#include "core/ListComparison.h"

namespace cli {

class SpilledComparison {
public:
    using Side = core::LineIndex::Side;
    using Origin = core::ListComparison::Origin;

    struct Settings {
        std::uint64_t memoryBudget;
        std::string temporaryDirectory; // empty: $TMPDIR or /tmp
        /// Bytes of each list when known, to choose the number of partitions; 0: unknown.
        std::uint64_t leftSize = 0;
        std::uint64_t rightSize = 0;
    };

    /// Reads both lists to their ends and compares them; the spill files are removed when
    /// this object goes.
    SpilledComparison(ListReader& left, ListReader& right, const Settings& settings,
                      Progress& progress);

    bool Compares() const { return compares_; }
    std::uint64_t MultipleHitCount() const { return multipleHitCount_; }
    std::uint64_t SingleHitCount() const { return singleHitCount_; }
    std::size_t PartitionCount() const { return partitions_; }
    /// Partitions that were split again, for the tests.
    std::uint64_t SplitCount() const { return splitCount_.load(); }

    template <class Visit> void ForEachMultipleHitFrom(Visit&& visit) const {
        if (!compares_)
            return;
        MergedResults entries(ResultFiles(outer_), bufferSize_);
        for (ResultEntry entry; entries.Next(entry);) {
            for (std::uint64_t k = entry.copies; k > 0; --k)
                visit(Origin{outer_, entry.position}, entry.line);
        }
    }
    template <class Visit> void ForEachSingleHitOn(Side side, Visit&& visit) const {
        if (!compares_)
            return;
        MergedResults entries(ResultFiles(side), bufferSize_);
        for (ResultEntry entry; entries.Next(entry);) {
            if (entry.copies == 0)
                visit(Origin{side, entry.position}, entry.line);
        }
    }
    template <class Visit> void ForEachSingleHitFrom(Visit&& visit) const {
        ForEachSingleHitOn(core::LineIndex::kLeft, visit);
        ForEachSingleHitOn(core::LineIndex::kRight, visit);
    }

private:
    struct Counts {
        std::uint64_t multipleHits = 0;
        std::uint64_t singleHits = 0;
    };
    /// A partition is named by its number, and a split one's parts by its name, a dot and
    /// theirs ("7", "7.0", "7.1"...).
    std::string SpillFile(Side side, const std::string& partition) const;
    std::string ResultFile(Side side, const std::string& partition) const;
    std::vector<std::string> ResultFiles(Side side) const;
    /// Spills the lines of `list` into its partition files; returns how many it has.
    std::uint64_t Spill(ListReader& list, Side side);
    bool Identical(std::uint64_t leftLines, std::uint64_t rightLines) const;
    Counts ComparePartition(const std::string& partition, int splits) const;
    /// Counts every line of the partition in `index`, keeping its distinct lines in `store`.
    /// When `mayStop`, stops part way and returns false once they take more than the index's
    /// budget; then `share` is the part of the partition's bytes that they came from.
    bool CountLines(const std::string& partition, core::LineIndex& index, LineStore& store,
                    bool mayStop, double& share) const;
    /// Compares the partition in `parts` parts, as many as `splits` tells apart, and merges
    /// their results into its own.
    Counts SplitPartition(const std::string& partition, int splits, std::size_t parts) const;

    SpillFolder folder_;
    std::size_t partitions_;
    std::size_t bufferSize_;
    std::uint64_t indexBudget_;
    Side outer_ = core::LineIndex::kRight;
    bool compares_ = false;
    std::uint64_t multipleHitCount_ = 0;
    std::uint64_t singleHitCount_ = 0;
    mutable std::atomic<std::uint64_t> splitCount_{0};
};

/// The single hits of a SpilledComparison for the near misses, each copied as it is read:
/// the merge's views last only until its next entry. (Near misses hold every single hit,
/// out of core too.)
class SpilledSingleHits final : public SingleHitSource {
public:
    explicit SpilledSingleHits(const SpilledComparison& comparison) : comparison_(comparison) {}
    std::uint64_t Count() const override { return comparison_.SingleHitCount(); }
    void ForEachOn(core::LineIndex::Side side, const Visit& visit) const override {
        LineStore& store = stores_[side];
        comparison_.ForEachSingleHitOn(
            side, [&](core::ListComparison::Origin origin, std::string_view line) {
                visit(origin, store.Keep(line));
            });
    }

private:
    const SpilledComparison& comparison_;
    mutable LineStore stores_[2]; // one a list: the lists are walked at once
};

} // namespace cli
