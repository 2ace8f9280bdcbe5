#include "cluster/kernel/PartitionCount.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "cluster/kernel/Wire.h"

namespace cluster {

namespace {

/// A line of the partition: its block, its index there, its bytes, and its id in the index.
struct Line {
    std::uint32_t block;
    std::uint32_t index;
    core::LineIndex::Id id;
    std::string_view text;
};

std::vector<Line> ReadLines(const std::vector<BlockRecords>& blocks) {
    std::vector<Line> lines;
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        WireReader reader(blocks[b].records);
        while (!reader.AtEnd()) {
            const std::uint32_t index = reader.U32();
            const std::uint32_t size = reader.U32();
            lines.push_back({static_cast<std::uint32_t>(b), index, 0, reader.Bytes(size)});
        }
    }
    if (lines.size() > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("more than 4,294,967,295 lines of one list in one partition");
    return lines;
}

/// Whether both lists hold the same lines at the same line numbers. The records come in
/// block order and each block's in line order, so both sides are sorted by line number.
bool SameLines(const std::vector<Line>& left, const std::vector<BlockRecords>& leftBlocks,
               const std::vector<Line>& right, const std::vector<BlockRecords>& rightBlocks) {
    if (left.size() != right.size())
        return false;
    for (std::size_t i = 0; i < left.size(); ++i) {
        if (leftBlocks[left[i].block].firstLine + left[i].index !=
                rightBlocks[right[i].block].firstLine + right[i].index ||
            left[i].text != right[i].text)
            return false;
    }
    return true;
}

} // namespace

PartitionResult CountPartition(const std::vector<BlockRecords>& leftBlocks,
                               const std::vector<BlockRecords>& rightBlocks,
                               core::LineIndex::Side driving, bool checkIdentical) {
    std::vector<Line> left = ReadLines(leftBlocks);
    std::vector<Line> right = ReadLines(rightBlocks);

    // 1. Every line interned and counted on its list.
    core::LineIndex index(left.size() + right.size(), left.size() + right.size());
    for (Line& line : left)
        line.id = index.Count(line.text, core::LineIndex::Hash(line.text), core::LineIndex::kLeft);
    for (Line& line : right)
        line.id =
            index.Count(line.text, core::LineIndex::Hash(line.text), core::LineIndex::kRight);

    // 2. The counts, from the distinct lines: a copies on the driving list and b on the
    // other give a x b multiple hits; a line on one list only gives each copy as a single
    // hit unless it is empty.
    const core::LineIndex::Side other =
        driving == core::LineIndex::kLeft ? core::LineIndex::kRight : core::LineIndex::kLeft;
    PartitionResult result;
    std::vector<bool> onBoth(index.DistinctCount());
    for (core::LineIndex::Id id = 0; id < index.DistinctCount(); ++id) {
        const std::uint64_t a = index.Copies(id, driving);
        const std::uint64_t b = index.Copies(id, other);
        result.multipleHits += a * b;
        onBoth[id] = a > 0 && b > 0;
        if (!onBoth[id] && !index.Line(id).empty())
            result.singleHits += a + b;
    }

    // 3. The entries, by the block they come from.
    const std::vector<Line>& drivingLines = driving == core::LineIndex::kLeft ? left : right;
    result.multiple.resize(driving == core::LineIndex::kLeft ? leftBlocks.size()
                                                             : rightBlocks.size());
    for (const Line& line : drivingLines) {
        if (!onBoth[line.id])
            continue;
        std::string& records = result.multiple[line.block];
        PutU32(records, line.index);
        PutU32(records, index.Copies(line.id, other));
        PutU32(records, static_cast<std::uint32_t>(line.text.size()));
        records.append(line.text);
    }
    const auto singlesOf = [&](const std::vector<Line>& lines, std::size_t blocks,
                               std::vector<std::string>& singles) {
        singles.resize(blocks);
        for (const Line& line : lines) {
            if (onBoth[line.id] || line.text.empty())
                continue;
            std::string& records = singles[line.block];
            PutU32(records, line.index);
            PutU32(records, static_cast<std::uint32_t>(line.text.size()));
            records.append(line.text);
        }
    };
    singlesOf(left, leftBlocks.size(), result.leftSingle);
    singlesOf(right, rightBlocks.size(), result.rightSingle);

    if (checkIdentical)
        result.identical = SameLines(left, leftBlocks, right, rightBlocks);
    return result;
}

} // namespace cluster
