#include "cluster/kernel/BlockSplit.h"

#include <cstring>
#include <limits>
#include <stdexcept>

#include "cluster/kernel/Wire.h"
#include "core/LineIndex.h"

namespace cluster {

SplitBlock SplitBlockLines(const BlockText& block, std::uint32_t partitions) {
    if (partitions == 0)
        throw std::invalid_argument("no partitions");
    SplitBlock split;
    split.partitions.resize(partitions);
    // About as many bytes per partition as the block's share, so few of them grow twice.
    for (std::string& records : split.partitions)
        records.reserve(block.owned / partitions + block.owned / partitions / 2 + 64);

    std::string replaced; // a line holding tabs, with them replaced; reused
    std::uint32_t index = 0;
    split.facts = ForEachOwnedLine(block, [&](std::string_view line) {
        if (std::memchr(line.data(), '\t', line.size()) != nullptr) {
            replaced = core::ReplaceTabs(line, core::kDefaultTabSize);
            line = replaced;
        }
        if (line.size() > std::numeric_limits<std::uint32_t>::max())
            throw std::length_error("a line of 4 GiB or more");
        std::string& records =
            split.partitions[PartitionOf(core::LineIndex::Hash(line), partitions)];
        PutU32(records, index++);
        PutU32(records, static_cast<std::uint32_t>(line.size()));
        records.append(line);
    });
    return split;
}

} // namespace cluster
