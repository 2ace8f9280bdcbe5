#include "cluster/kernel/BlockSplit.h"

#include <cstring>
#include <limits>
#include <stdexcept>

#include "core/LineIndex.h"

namespace cluster {

SplitBlock SplitBlockLines(const BlockText& block, std::uint32_t partitions) {
    if (partitions == 0)
        throw std::invalid_argument("no partitions");
    SplitBlock split;
    // Room for half as much again as a partition's share of the block and its records'
    // fields: only what is used becomes memory.
    split.partitions.reserve(partitions);
    for (std::uint32_t p = 0; p < partitions; ++p)
        split.partitions.emplace_back(block.owned / partitions * 2 + 4096);

    std::string replaced; // a line holding tabs, with them replaced; reused
    std::uint32_t index = 0;
    split.facts = ForEachOwnedLine(block, [&](std::string_view line) {
        if (std::memchr(line.data(), '\t', line.size()) != nullptr) {
            replaced = core::ReplaceTabs(line, core::kDefaultTabSize);
            line = replaced;
        }
        if (line.size() > std::numeric_limits<std::uint32_t>::max())
            throw std::length_error("a line of 4 GiB or more");
        GrowingBytes& records =
            split.partitions[PartitionOf(core::LineIndex::Hash(line), partitions)];
        const std::uint32_t fields[2] = {index++, static_cast<std::uint32_t>(line.size())};
        records.Append(fields, sizeof fields);
        records.Append(line.data(), line.size());
    });
    return split;
}

} // namespace cluster
