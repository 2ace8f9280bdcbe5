#include "cli/NearMisses.h"

#include <algorithm>
#include <bit>
#include <functional>
#include <optional>
#include <unordered_map>

namespace cli {

namespace {

using Side = core::LineIndex::Side;

struct Hit {
    std::string_view text;
    std::size_t index;
    Side side;
};

constexpr CauseSet kAllCauses = FirstCauses(kNearMissCauses);

std::string Folded(const Hit& hit, CauseSet causes) {
    std::string storage;
    return std::string(FoldLine(hit.text, causes, hit.index == 0, storage));
}

/// The first cause of `causes` without which `a` and `b` no longer fold alike.
NearMissCause FirstNeededCause(const Hit& a, const Hit& b, CauseSet causes) {
    for (int c = 0; c < kNearMissCauses; ++c) {
        const CauseSet without = causes & ~(1u << c);
        if (without != causes && Folded(a, without) != Folded(b, without))
            return static_cast<NearMissCause>(c);
    }
    return static_cast<NearMissCause>(std::countr_zero(causes)); // not reached: a and b differ
}

/// Bits set by the folded hashes of one list's hits, so that the other list's hits can tell
/// at a glance whether they may have a match: false hits only cost a closer look.
class HashFilter {
public:
    void Add(std::size_t hash) { bits_[hash % kBits / 64] |= std::uint64_t{1} << (hash % 64); }
    bool MayHold(std::size_t hash) const { return bits_[hash % kBits / 64] >> (hash % 64) & 1; }

private:
    static constexpr std::size_t kBits = std::size_t{1} << 24;
    std::vector<std::uint64_t> bits_ = std::vector<std::uint64_t>(kBits / 64);
};

/// Matches the hits of one group (alike with every cause ignored), ignoring the first cause,
/// then the first two, and so on; a hit's partner is the first hit of the other list that
/// folds like it at the first step it matches anything.
void MatchGroup(const std::vector<Hit>& hits, const std::vector<std::uint32_t>& group,
                std::vector<std::optional<std::uint32_t>>& partner,
                std::vector<CauseSet>& matchedWith) {
    for (int count = 1; count <= kNearMissCauses; ++count) {
        const CauseSet causes = FirstCauses(count);
        std::unordered_map<std::string, std::array<std::optional<std::uint32_t>, 2>> firsts;
        std::vector<std::string> keys;
        keys.reserve(group.size());
        for (const std::uint32_t id : group) {
            keys.push_back(Folded(hits[id], causes));
            auto& first = firsts[keys.back()][hits[id].side];
            if (!first)
                first = id;
        }
        for (std::size_t m = 0; m < group.size(); ++m) {
            const std::uint32_t id = group[m];
            if (partner[id])
                continue;
            const auto& other = firsts[keys[m]][1 - hits[id].side];
            if (other) {
                partner[id] = *other;
                matchedWith[id] = causes;
            }
        }
    }
}

} // namespace

NearMisses::NearMisses(const core::ListComparison& comparison) {
    std::vector<Hit> hits;
    comparison.ForEachSingleHitFrom(
        [&](core::ListComparison::Origin origin, std::string_view line) {
            hits.push_back({line, origin.index, origin.list});
        });
    singleHits_ = hits.size();

    // Fold every hit with every cause ignored; only hashes found on both lists go further.
    std::vector<std::size_t> hashes(hits.size());
    std::array<HashFilter, 2> filters;
    std::string storage;
    for (std::size_t i = 0; i < hits.size(); ++i) {
        hashes[i] = std::hash<std::string_view>{}(
            FoldLine(hits[i].text, kAllCauses, hits[i].index == 0, storage));
        filters[hits[i].side].Add(hashes[i]);
    }
    std::unordered_map<std::string, std::vector<std::uint32_t>> groups;
    for (std::size_t i = 0; i < hits.size(); ++i) {
        if (filters[1 - hits[i].side].MayHold(hashes[i]))
            groups[Folded(hits[i], kAllCauses)].push_back(static_cast<std::uint32_t>(i));
    }

    std::vector<std::optional<std::uint32_t>> partner(hits.size());
    std::vector<CauseSet> matchedWith(hits.size());
    for (const auto& [key, group] : groups) {
        const bool bothLists = std::any_of(group.begin(), group.end(), [&](std::uint32_t id) {
            return hits[id].side != hits[group.front()].side;
        });
        if (bothLists)
            MatchGroup(hits, group, partner, matchedWith);
    }

    for (std::uint32_t id = 0; id < hits.size(); ++id) {
        if (!partner[id])
            continue;
        const Hit& hit = hits[id];
        const Hit& other = hits[*partner[id]];
        const NearMissCause cause = FirstNeededCause(hit, other, matchedWith[id]);
        ++counts_[static_cast<int>(cause)];
        // Two hits that are each other's partner make one pair, listed from the left.
        if (hit.side == core::LineIndex::kRight && partner[*partner[id]] == id)
            continue;
        const Hit& left = hit.side == core::LineIndex::kLeft ? hit : other;
        const Hit& right = hit.side == core::LineIndex::kLeft ? other : hit;
        pairs_.push_back({left.index, right.index, cause, left.text, right.text});
    }
    std::sort(pairs_.begin(), pairs_.end(), [](const NearMissPair& a, const NearMissPair& b) {
        return std::pair(a.leftIndex, a.rightIndex) < std::pair(b.leftIndex, b.rightIndex);
    });
}

std::uint64_t NearMisses::Total() const {
    std::uint64_t total = 0;
    for (const std::uint64_t count : counts_)
        total += count;
    return total;
}

std::string NearMisses::SummaryText() const {
    std::string text = "near misses: " + std::to_string(Total()) + " of " +
                       std::to_string(singleHits_) + " single hits\n";
    for (int c = 0; c < kNearMissCauses; ++c) {
        const auto cause = static_cast<NearMissCause>(c);
        if (counts_[c] == 0)
            continue;
        text += "  " + std::string(CauseName(cause)) + ": " + std::to_string(counts_[c]) + "\n";
        std::size_t shown = 0;
        for (const NearMissPair& pair : pairs_) {
            if (pair.cause != cause)
                continue;
            if (shown++ == kExamples)
                break;
            text += "    L" + std::to_string(pair.leftIndex + 1) + " \"" + Escaped(pair.left) +
                    "\"  R" + std::to_string(pair.rightIndex + 1) + " \"" + Escaped(pair.right) +
                    "\"\n";
        }
    }
    return text;
}

std::string NearMisses::PairLine(const NearMissPair& pair) {
    return std::to_string(pair.leftIndex + 1) + "\t" + std::to_string(pair.rightIndex + 1) + "\t" +
           std::string(CauseName(pair.cause)) + "\t" + Escaped(pair.left) + "\t" +
           Escaped(pair.right);
}

} // namespace cli
