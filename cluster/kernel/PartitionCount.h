#pragma once
// One partition of both lists compared: the reduce step of dyadlist-cluster. Equal lines hash
// alike, so every copy of a line is in the same partition, and each partition counts its
// lines with no table but its own (core's LineIndex over the records' bytes).
//
// A partition gets, for every block of either list, the records that block dealt to it (see
// BlockSplit.h), in block order. It gives back its counts and its entries, grouped by the
// block they come from, so that each block's entries can be put back in order by the block's
// own line indexes (EntryRender.h):
// - multiple hits: every line of the driving list (the longer one, the right one on a tie)
//   that is on both lists, with the number of its copies on the other list;
// - single hits: every non-empty line of either list that is not on both.

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "core/BigArray.h"
#include "core/LineIndex.h"

namespace cluster {

/// The records one block dealt to this partition, and the number of the block's first line
/// in its list (for the identical test).
struct BlockRecords {
    std::uint64_t firstLine = 0;
    std::string_view records;
};

class PartitionCount {
public:
    /// Counts the partition. `driving` is the list whose order the multiple hits follow.
    /// Malformed records throw WireError; more than 4,294,967,295 lines of one list in one
    /// partition throw std::length_error. The records must outlive this object.
    PartitionCount(const std::vector<BlockRecords>& left, const std::vector<BlockRecords>& right,
                   core::LineIndex::Side driving);

    std::uint64_t MultipleHits() const { return multipleHits_; }
    std::uint64_t SingleHits() const { return singleHits_; }
    /// Whether the left list's lines in this partition are the right list's, at the same line
    /// numbers. Two lists are identical when every partition says so.
    bool Identical() const;

    /// Hands out the entries, a byte string per block: first the multiple hits of each block
    /// of the driving list (records of the line's index in its block, its copies on the other
    /// list, its length: 4 bytes each; its bytes), then the single hits of each left block,
    /// then of each right block (index, length, bytes). `part(size)` starts a block's string,
    /// `bytes` continues it.
    void WriteEntries(const std::function<void(std::uint64_t)>& part,
                      const std::function<void(std::string_view)>& bytes) const;

private:
    /// A line of the partition: its block, its index there, its bytes, its id in the index.
    struct Line {
        std::uint32_t block;
        std::uint32_t index;
        core::LineIndex::Id id;
        std::uint32_t size;
        const char* text;
        std::string_view Text() const { return {text, size}; }
    };
    struct Side {
        const std::vector<BlockRecords>* blocks;
        core::BigArray<Line> lines;
    };
    static Side Read(const std::vector<BlockRecords>& blocks);
    bool OnBoth(core::LineIndex::Id id) const { return onBoth_[id / 64] >> (id % 64) & 1; }

    Side left_, right_;
    core::LineIndex::Side driving_;
    core::LineIndex index_;
    std::vector<std::uint64_t> onBoth_;
    std::uint64_t multipleHits_ = 0;
    std::uint64_t singleHits_ = 0;
};

} // namespace cluster
