#include "cli/SpilledComparison.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <filesystem>
#include <memory>
#include <string>

#include <sys/resource.h>

#include "cli/LineStore.h"
#include "core/LineIndex.h"
#include "core/RunBoth.h"

namespace cli {

namespace {

/// A spill file's entries read a few ahead of their use, each hashed as it is read: its slot
/// is prefetched then, its distinct line a stage later and that line's bytes a stage after,
/// so the memory waits of different lines overlap, as in the in-memory comparison. An entry's
/// line holds until the next call.
class PrefetchedEntries {
public:
    PrefetchedEntries(ResultReader& reader, const core::LineIndex& index)
        : reader_(reader), index_(index) {}

    bool Next(ResultEntry& entry, std::uint64_t& hash) {
        while (!ended_ && queued_ - done_ < kAhead) {
            ResultEntry read;
            if (!reader_.Next(read)) {
                ended_ = true;
                break;
            }
            Pending& p = ring_[queued_ % kAhead];
            p.position = read.position;
            p.copies = read.copies;
            p.line.assign(read.line);
            p.hash = core::LineIndex::Hash(p.line);
            const std::size_t pending = queued_ - done_;
            if (pending >= kStage)
                index_.PrefetchEntry(ring_[(queued_ - kStage) % kAhead].hash);
            if (pending >= 2 * kStage)
                index_.PrefetchCandidate(ring_[(queued_ - 2 * kStage) % kAhead].hash);
            index_.Prefetch(p.hash);
            ++queued_;
        }
        if (done_ == queued_)
            return false;
        const Pending& p = ring_[done_++ % kAhead];
        entry = {p.position, p.copies, p.line};
        hash = p.hash;
        return true;
    }

private:
    static constexpr std::size_t kStage = 6;
    static constexpr std::size_t kAhead = 3 * kStage;
    struct Pending {
        std::uint64_t position = 0;
        std::uint64_t copies = 0;
        std::string line;
        std::uint64_t hash = 0;
    };

    ResultReader& reader_;
    const core::LineIndex& index_;
    std::array<Pending, kAhead> ring_;
    std::size_t queued_ = 0;
    std::size_t done_ = 0;
    bool ended_ = false;
};

using Side = core::LineIndex::Side;
constexpr Side kSides[] = {core::LineIndex::kLeft, core::LineIndex::kRight};

/// The partition of a line of hash `hash`: by the low 32 bits, which the hash index does not
/// use to place lines (it takes the high ones), so a partition's lines spread over its index.
std::size_t PartitionOf(std::uint64_t hash, std::size_t partitions) {
    return static_cast<std::size_t>((hash & 0xFFFFFFFF) * partitions >> 32);
}

/// The part of a split partition that a line of hash `hash` goes to, after `splits` splits:
/// by the hash mixed anew for each split, as a hash of another seed would place it, since the
/// lines of one partition share the bits that placed them there.
std::size_t PartOf(std::uint64_t hash, int splits, std::size_t parts) {
    std::uint64_t mixed = hash + 0x9E3779B97F4A7C15ULL * static_cast<std::uint64_t>(splits);
    mixed = (mixed ^ (mixed >> 30)) * 0xBF58476D1CE4E5B9ULL;
    mixed = (mixed ^ (mixed >> 27)) * 0x94D049BB133111EBULL;
    mixed ^= mixed >> 31;
    return PartitionOf(mixed, parts);
}

/// What an index holds for each distinct line beside its bytes: its entry and its table
/// slots, which may have just doubled.
constexpr std::uint64_t kIndexBytesPerLine = 40;
/// Splits of one partition at most, and parts of a split.
constexpr int kMostSplits = 3;
constexpr std::size_t kMostParts = 16;

Side Other(Side side) {
    return side == core::LineIndex::kLeft ? core::LineIndex::kRight : core::LineIndex::kLeft;
}

/// As many partitions as files may be open at once: a list's spill files are written all at
/// once, and both entry lists merge theirs at once. The soft limit is raised to the hard one
/// first, as far as it goes.
std::uint64_t MostPartitions() {
    constexpr std::uint64_t kMost = 1024;
    rlimit files{};
    if (::getrlimit(RLIMIT_NOFILE, &files) != 0)
        return 64;
    if (files.rlim_cur < files.rlim_max && files.rlim_cur < 4 * kMost) {
        files.rlim_cur = std::min<rlim_t>(files.rlim_max, 4 * kMost);
        ::setrlimit(RLIMIT_NOFILE, &files);
        ::getrlimit(RLIMIT_NOFILE, &files);
    }
    // Three merges at most (both entry lists and the near misses' single hits), and a few
    // files of the run's own.
    const std::uint64_t open = files.rlim_cur == RLIM_INFINITY ? 4 * kMost : files.rlim_cur;
    return std::clamp<std::uint64_t>((open - std::min<std::uint64_t>(open, 32)) / 3, 2, kMost);
}

} // namespace

SpilledComparison::SpilledComparison(ListReader& left, ListReader& right, const Settings& settings,
                                     Progress& progress)
    : folder_(settings.temporaryDirectory) {
    // 1. Spill. The number of partitions: a quarter of the budget for each partition's index.
    // A list of unknown size gets as many as a list of sixteen budgets would.
    const std::uint64_t budget = std::max<std::uint64_t>(settings.memoryBudget, 1024);
    indexBudget_ = budget / 4;
    const bool sizesKnown = settings.leftSize > 0 && settings.rightSize > 0;
    // The index holds each distinct line's bytes and about 40 bytes beside them; lines are
    // taken as 16 bytes for that.
    const std::uint64_t expected =
        sizesKnown ? (settings.leftSize + settings.rightSize) * 3 : budget * 16;
    partitions_ = static_cast<std::size_t>(
        std::clamp<std::uint64_t>(expected / indexBudget_ + 1, 2, MostPartitions()));
    // The writers' buffers, two lists' worth, take an eighth of the budget at most.
    bufferSize_ = static_cast<std::size_t>(
        std::clamp<std::uint64_t>(budget / 16 / partitions_, 4 << 10, 1 << 20));

    std::atomic<int> partitionsDone{0};
    progress.Describe([&] {
        return "dyadlist-compare: spilling, " + Progress::Megabytes(left.BytesRead()) + " + " +
               Progress::Megabytes(right.BytesRead()) + " read";
    });
    std::uint64_t lines[2] = {0, 0};
    core::RunBoth([&] { lines[0] = Spill(left, core::LineIndex::kLeft); },
                  [&] { lines[1] = Spill(right, core::LineIndex::kRight); });

    if (Identical(lines[0], lines[1]))
        return;
    compares_ = true;
    outer_ = lines[0] > lines[1] ? core::LineIndex::kLeft : core::LineIndex::kRight;

    // 2. Compare: the partitions in turn on two threads, each adding up its own counts.
    progress.Describe([&, total = partitions_] {
        return "dyadlist-compare: comparing, partition " + std::to_string(partitionsDone.load()) +
               " of " + std::to_string(total) + " done";
    });
    Counts counts[2];
    core::InTwoParts([&](int part) {
        for (std::size_t p = static_cast<std::size_t>(part); p < partitions_; p += 2) {
            const Counts partition = ComparePartition(std::to_string(p), 0);
            counts[part].multipleHits += partition.multipleHits;
            counts[part].singleHits += partition.singleHits;
            ++partitionsDone;
        }
    });
    multipleHitCount_ = counts[0].multipleHits + counts[1].multipleHits;
    singleHitCount_ = counts[0].singleHits + counts[1].singleHits;
    progress.Describe([] { return std::string("dyadlist-compare: writing"); });
}

std::string SpilledComparison::SpillFile(Side side, const std::string& partition) const {
    return folder_.Path((side == core::LineIndex::kLeft ? "L" : "R") + partition);
}

std::string SpilledComparison::ResultFile(Side side, const std::string& partition) const {
    return folder_.Path((side == core::LineIndex::kLeft ? "l" : "r") + partition);
}

std::vector<std::string> SpilledComparison::ResultFiles(Side side) const {
    std::vector<std::string> files;
    for (std::size_t p = 0; p < partitions_; ++p)
        files.push_back(ResultFile(side, std::to_string(p)));
    return files;
}

std::uint64_t SpilledComparison::Spill(ListReader& list, Side side) {
    std::vector<std::unique_ptr<ResultWriter>> writers;
    for (std::size_t p = 0; p < partitions_; ++p)
        writers.push_back(
            std::make_unique<ResultWriter>(SpillFile(side, std::to_string(p)), bufferSize_));
    std::uint64_t position = 0;
    for (std::string_view line; list.Next(line); ++position)
        writers[PartitionOf(core::LineIndex::Hash(line), partitions_)]->Write(position, 0, line);
    for (const auto& writer : writers)
        writer->Finish();
    return position;
}

bool SpilledComparison::Identical(std::uint64_t leftLines, std::uint64_t rightLines) const {
    if (leftLines != rightLines)
        return false;
    // Each line in the same place on both lists: the same records in each partition.
    for (std::size_t p = 0; p < partitions_; ++p) {
        ResultReader left(SpillFile(core::LineIndex::kLeft, std::to_string(p)), bufferSize_);
        ResultReader right(SpillFile(core::LineIndex::kRight, std::to_string(p)), bufferSize_);
        ResultEntry a, b;
        for (;;) {
            const bool more = left.Next(a);
            if (more != right.Next(b))
                return false;
            if (!more)
                break;
            if (a.position != b.position || a.line != b.line)
                return false;
        }
    }
    return true;
}

bool SpilledComparison::CountLines(const std::string& partition, core::LineIndex& index,
                                   LineStore& store, bool mayStop, double& share) const {
    // A split's parts take a write buffer each: a share smaller than those is not worth one.
    const std::uint64_t limit = std::max<std::uint64_t>(indexBudget_, kMostParts * bufferSize_);
    std::uint64_t total = 0, counted = 0;
    for (const Side side : kSides)
        total += std::filesystem::file_size(SpillFile(side, partition));
    ResultEntry entry;
    for (const Side side : kSides) {
        ResultReader spill(SpillFile(side, partition), bufferSize_);
        PrefetchedEntries entries(spill, index);
        std::uint64_t hash = 0;
        while (entries.Next(entry, hash)) {
            core::LineIndex::Id id = index.Find(entry.line, hash);
            if (id == core::LineIndex::kNone) {
                id = index.Intern(store.Keep(entry.line), hash);
                // One line alone, however long, cannot be parted: it stays.
                if (mayStop && index.DistinctCount() > 1 &&
                    store.Size() + index.DistinctCount() * kIndexBytesPerLine > limit) {
                    share = static_cast<double>(counted + spill.BytesRead()) /
                            static_cast<double>(total);
                    return false;
                }
            }
            index.CountCopy(id, side);
        }
        counted += spill.BytesRead();
    }
    return true;
}

SpilledComparison::Counts SpilledComparison::ComparePartition(const std::string& partition,
                                                              int splits) const {
    std::size_t parts = 0;
    {
        // Sized for the lines a quarter of the budget holds; more makes it grow.
        const auto expected = static_cast<std::size_t>(indexBudget_ / 64);
        core::LineIndex index(expected, expected * 4);
        LineStore store;

        // Every line counted on its list; a line met for the first time is kept.
        double share = 1;
        if (!CountLines(partition, index, store, splits < kMostSplits, share)) {
            // Parts enough for the whole partition to fit as that share of it did, twice
            // over.
            parts = static_cast<std::size_t>(
                std::clamp(2 / std::max(share, 1e-3), 2.0, static_cast<double>(kMostParts)));
        } else {
            // Each line's entry, and the counts, as core::ListComparison counts them.
            Counts counts;
            for (core::LineIndex::Id id = 0; id < index.DistinctCount(); ++id) {
                const std::uint64_t a = index.Copies(id, outer_);
                const std::uint64_t b = index.Copies(id, Other(outer_));
                counts.multipleHits += a * b;
                if ((a == 0 || b == 0) && !index.Line(id).empty())
                    counts.singleHits += a + b;
            }
            ResultEntry entry;
            for (const Side side : kSides) {
                ResultReader spill(SpillFile(side, partition), bufferSize_);
                ResultWriter results(ResultFile(side, partition), bufferSize_);
                PrefetchedEntries entries(spill, index);
                std::uint64_t hash = 0;
                while (entries.Next(entry, hash)) {
                    const core::LineIndex::Id id = index.Find(entry.line, hash);
                    const std::uint32_t copies = index.Copies(id, Other(side));
                    if (copies > 0 && side == outer_)
                        results.Write(entry.position, copies, entry.line);
                    else if (copies == 0 && !entry.line.empty())
                        results.Write(entry.position, 0, entry.line);
                }
                results.Finish();
            }
            return counts;
        }
    }
    return SplitPartition(partition, splits, parts);
}

SpilledComparison::Counts SpilledComparison::SplitPartition(const std::string& partition,
                                                            int splits, std::size_t parts) const {
    ++splitCount_;
    const auto part = [&](std::size_t k) { return partition + "." + std::to_string(k); };
    for (const Side side : kSides) {
        std::vector<std::unique_ptr<ResultWriter>> writers;
        for (std::size_t k = 0; k < parts; ++k)
            writers.push_back(
                std::make_unique<ResultWriter>(SpillFile(side, part(k)), bufferSize_));
        {
            ResultReader spill(SpillFile(side, partition), bufferSize_);
            for (ResultEntry entry; spill.Next(entry);) {
                const std::size_t k = PartOf(core::LineIndex::Hash(entry.line), splits, parts);
                writers[k]->Write(entry.position, 0, entry.line);
            }
        }
        for (const auto& writer : writers)
            writer->Finish();
    }

    Counts counts;
    for (std::size_t k = 0; k < parts; ++k) {
        const Counts partCounts = ComparePartition(part(k), splits + 1);
        counts.multipleHits += partCounts.multipleHits;
        counts.singleHits += partCounts.singleHits;
    }
    for (const Side side : kSides) {
        std::vector<std::string> files;
        for (std::size_t k = 0; k < parts; ++k)
            files.push_back(ResultFile(side, part(k)));
        {
            MergedResults entries(files, bufferSize_);
            ResultWriter results(ResultFile(side, partition), bufferSize_);
            for (ResultEntry entry; entries.Next(entry);)
                results.Write(entry.position, entry.copies, entry.line);
            results.Finish();
        }
    }
    return counts;
}

} // namespace cli
