#include "cluster/kernel/PartitionCount.h"

#include <limits>
#include <stdexcept>

#include "cluster/kernel/Wire.h"

namespace cluster {

PartitionCount::Side PartitionCount::Read(const std::vector<BlockRecords>& blocks) {
    // Counted first, so that the lines take one array of their exact size.
    std::size_t count = 0;
    for (const BlockRecords& block : blocks) {
        WireReader reader(block.records);
        while (!reader.AtEnd()) {
            reader.U32();
            reader.Bytes(reader.U32());
            ++count;
        }
    }
    if (count > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("more than 4,294,967,295 lines of one list in one partition");
    Side side{&blocks, core::BigArray<Line>(count)};
    std::size_t i = 0;
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        WireReader reader(blocks[b].records);
        while (!reader.AtEnd()) {
            const std::uint32_t index = reader.U32();
            const std::uint32_t size = reader.U32();
            side.lines[i++] = {static_cast<std::uint32_t>(b), index, 0, size,
                               reader.Bytes(size).data()};
        }
    }
    return side;
}

PartitionCount::PartitionCount(const std::vector<BlockRecords>& left,
                               const std::vector<BlockRecords>& right,
                               core::LineIndex::Side driving)
    : left_(Read(left)), right_(Read(right)), driving_(driving),
      index_(left_.lines.size() + right_.lines.size(), left_.lines.size() + right_.lines.size()) {
    // 1. Every line interned and counted on its list. The index is far bigger than the
    // caches, and interning a line takes three loads that depend on each other (its slot,
    // the distinct line there, that line's bytes), so they are asked for ahead, a stage
    // apart, as the comparison in core does: the memory waits of different lines overlap.
    for (auto [side, lines] : {std::pair{core::LineIndex::kLeft, &left_.lines},
                               std::pair{core::LineIndex::kRight, &right_.lines}}) {
        constexpr std::size_t kStage = 6;
        const std::size_t count = lines->size();
        core::BigArray<std::uint64_t> hashes(count);
        for (std::size_t i = 0; i < count; ++i)
            hashes[i] = core::LineIndex::Hash((*lines)[i].Text());
        for (std::size_t i = 0; i < count; ++i) {
            if (i + 3 * kStage < count)
                index_.Prefetch(hashes[i + 3 * kStage]);
            if (i + 2 * kStage < count)
                index_.PrefetchEntry(hashes[i + 2 * kStage]);
            if (i + kStage < count)
                index_.PrefetchCandidate(hashes[i + kStage]);
            Line& line = (*lines)[i];
            line.id = index_.Count(line.Text(), hashes[i], side);
        }
    }

    // 2. The counts, from the distinct lines: a copies on the driving list and b on the
    // other give a x b multiple hits; a line on one list only gives each copy as a single
    // hit unless it is empty.
    const core::LineIndex::Side other =
        driving == core::LineIndex::kLeft ? core::LineIndex::kRight : core::LineIndex::kLeft;
    onBoth_.assign((index_.DistinctCount() + 63) / 64, 0);
    for (core::LineIndex::Id id = 0; id < index_.DistinctCount(); ++id) {
        const std::uint64_t a = index_.Copies(id, driving);
        const std::uint64_t b = index_.Copies(id, other);
        multipleHits_ += a * b;
        if (a > 0 && b > 0)
            onBoth_[id / 64] |= std::uint64_t{1} << (id % 64);
        else if (!index_.Line(id).empty())
            singleHits_ += a + b;
    }
}

bool PartitionCount::Identical() const {
    // The records come in block order and each block's in line order, so both sides are
    // sorted by line number.
    if (left_.lines.size() != right_.lines.size())
        return false;
    for (std::size_t i = 0; i < left_.lines.size(); ++i) {
        const Line& l = left_.lines[i];
        const Line& r = right_.lines[i];
        if ((*left_.blocks)[l.block].firstLine + l.index !=
                (*right_.blocks)[r.block].firstLine + r.index ||
            l.Text() != r.Text())
            return false;
    }
    return true;
}

void PartitionCount::WriteEntries(const std::function<void(std::uint64_t)>& part,
                                  const std::function<void(std::string_view)>& bytes) const {
    const core::LineIndex::Side other =
        driving_ == core::LineIndex::kLeft ? core::LineIndex::kRight : core::LineIndex::kLeft;
    // Each block's string is sized in a first pass and written in a second; the lines come
    // grouped by block, in block order.
    const auto writeSide = [&](const Side& side, bool multiple) {
        const auto entry = [&](const Line& line) {
            return multiple ? OnBoth(line.id) : !OnBoth(line.id) && line.size != 0;
        };
        const std::size_t fields = multiple ? 12 : 8;
        std::vector<std::uint64_t> sizes(side.blocks->size());
        for (std::size_t i = 0; i < side.lines.size(); ++i) {
            if (entry(side.lines[i]))
                sizes[side.lines[i].block] += fields + side.lines[i].size;
        }
        std::size_t i = 0;
        for (std::uint32_t block = 0; block < sizes.size(); ++block) {
            part(sizes[block]);
            for (; i < side.lines.size() && side.lines[i].block == block; ++i) {
                const Line& line = side.lines[i];
                if (!entry(line))
                    continue;
                // A single hit's record is the first two fields: index and length.
                const std::uint32_t copies = multiple ? index_.Copies(line.id, other) : 0;
                const std::uint32_t record[3] = {line.index, multiple ? copies : line.size,
                                                 line.size};
                bytes(std::string_view(reinterpret_cast<const char*>(record), fields));
                bytes(line.Text());
            }
        }
    };
    writeSide(driving_ == core::LineIndex::kLeft ? left_ : right_, true);
    writeSide(left_, false);
    writeSide(right_, false);
}

} // namespace cluster
