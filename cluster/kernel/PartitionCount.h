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
#include <string>
#include <string_view>
#include <vector>

#include "core/LineIndex.h"

namespace cluster {

/// The records one block dealt to this partition, and the number of the block's first line
/// in its list (for the identical test).
struct BlockRecords {
    std::uint64_t firstLine = 0;
    std::string_view records;
};

struct PartitionResult {
    std::uint64_t multipleHits = 0;
    std::uint64_t singleHits = 0;
    /// When asked: whether the left list's lines in this partition are the right list's, at
    /// the same line numbers. Two lists are identical when every partition says so.
    bool identical = false;
    /// Per block of the driving list: records of its index in the block (4 bytes), copies on
    /// the other list (4 bytes), length (4 bytes), bytes.
    std::vector<std::string> multiple;
    /// Per block of each list: records of its index in the block, length, bytes.
    std::vector<std::string> leftSingle;
    std::vector<std::string> rightSingle;
};

/// Compares the partition. `driving` is the list whose order the multiple hits follow.
/// Malformed records throw WireError; more than 4,294,967,295 lines of one list in one
/// partition throw std::length_error.
PartitionResult CountPartition(const std::vector<BlockRecords>& left,
                               const std::vector<BlockRecords>& right, core::LineIndex::Side driving,
                               bool checkIdentical);

} // namespace cluster
