#include "cli/NearMisses.h"

#include "cli/Escaping.h"
#include "core/BigArray.h"
#include "core/RunBoth.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <span>
#include <unordered_map>

namespace cli {

namespace {

using Side = core::LineIndex::Side;

struct Hit {
    std::string_view text;
    std::size_t index;
    Side side;
};

std::string_view Folded(const Hit& hit, CauseSet causes, std::string& storage) {
    return FoldLine(hit.text, causes, hit.index == 0, storage);
}
/// Bits set by the folded hashes of one list's hits, so that the other list's hits can tell
/// at a glance whether they may have a match: false hits only cost a closer look. With 32 bits
/// a hash, about one hash in 32 that the filter never saw passes.
class HashFilter {
public:
    /// An empty filter for `hashes` hashes.
    explicit HashFilter(std::size_t hashes)
        : mask_(std::bit_ceil(std::max<std::size_t>(hashes, 64) * 32) - 1), bits_(mask_ / 64 + 1) {}

    void Add(std::uint64_t hash) { bits_[(hash & mask_) / 64] |= std::uint64_t{1} << (hash % 64); }
    bool MayHold(std::uint64_t hash) const { return bits_[(hash & mask_) / 64] >> (hash % 64) & 1; }

private:
    std::uint64_t mask_; // the number of bits, a power of two, less one
    core::BigArray<std::uint64_t> bits_;
};

/// A hit with a hash of one of its folds; a hit with several hashes has an entry for each,
/// one after the other.
struct HashedHit {
    std::string_view text;
    std::size_t index;
    std::uint64_t hash;
};
/// The single hits of `side`, in order, with FoldHashes: written one after the other, so that
/// the lists' filters are then filled and asked in tight loops over them, where the processor
/// waits for many cache misses at once rather than one at a time between two foldings.
std::vector<HashedHit> HashedSingleHits(const SingleHitSource& hits, Side side) {
    std::vector<HashedHit> hashed;
    // Room for every single hit, of which the pages this list does not fill are never touched.
    hashed.reserve(hits.Count());
    std::string storage;
    hits.ForEachOn(side, [&](core::ListComparison::Origin origin, std::string_view line) {
        const FoldHashes hashes = FoldedHashes(line, origin.index == 0, storage);
        for (const std::uint64_t hash : hashes.Values())
            hashed.push_back({line, origin.index, hash});
    });
    return hashed;
}

/// Matches the hits of one group (hits linked by the hashes of their folds, see Groups),
/// ignoring the first cause, then the first two, and so on; a hit's partner is a hit of the
/// other list that folds like it at the first step it matches anything: the first that differs
/// from it in the step's new cause alone, when one does ("ά" with oxia meets its composed twin
/// rather than a capital that also differs in case), else the first. Its cause is the first
/// one that match needs. Groups are mostly a pair: their hits are compared each with each, a
/// large group's through maps. One matcher serves many groups, reusing its room for the folds.
class GroupMatcher {
public:
    GroupMatcher(const std::vector<Hit>& hits, std::vector<std::optional<std::uint32_t>>& partner,
                 std::vector<NearMissCause>& causeOf)
        : hits_(hits), partner_(partner), causeOf_(causeOf) {}

    void Match(std::span<const std::uint32_t> group) {
        constexpr std::size_t kSmallGroup = 8;
        if (storage_.size() < group.size()) {
            storage_.resize(group.size());
            aloneStorage_.resize(group.size());
        }
        keys_.resize(group.size());
        aloneKeys_.resize(group.size());
        mayChange_.resize(group.size());
        for (std::size_t m = 0; m < group.size(); ++m)
            mayChange_[m] = MayChange(hits_[group[m]].text, hits_[group[m]].index == 0);
        std::size_t unmatched = group.size();
        for (int count = 1; count <= kNearMissCauses && unmatched > 0; ++count) {
            // Only hits that the cause added may change are folded again (blanks, the first,
            // may change any); when none is, the step matches nothing new.
            const CauseSet causes = FirstCauses(count);
            const CauseSet added = 1u << (count - 1);
            bool changed = false;
            for (std::size_t m = 0; m < group.size(); ++m) {
                const Hit& hit = hits_[group[m]];
                if (mayChange_[m] & added) {
                    keys_[m] = Folded(hit, causes, storage_[m]);
                    aloneKeys_[m] = Folded(hit, added, aloneStorage_[m]);
                    changed = true;
                } else {
                    aloneKeys_[m] = hit.text; // the new cause alone changes nothing
                }
            }
            if (!changed)
                continue;
            // A large group finds the first of each side by the fold, and by the new cause's
            // fold alone.
            std::unordered_map<std::string_view, std::array<std::optional<std::size_t>, 2>> firsts;
            std::unordered_map<std::string_view, std::array<std::optional<std::size_t>, 2>> alone;
            if (group.size() > kSmallGroup) {
                for (std::size_t m = 0; m < group.size(); ++m) {
                    const int side = hits_[group[m]].side;
                    for (auto& [map, key] :
                         {std::pair{&firsts, keys_[m]}, {&alone, aloneKeys_[m]}}) {
                        auto& first = (*map)[key][side];
                        if (!first)
                            first = m;
                    }
                }
            }
            for (std::size_t m = 0; m < group.size(); ++m) {
                const std::uint32_t id = group[m];
                if (partner_[id])
                    continue;
                const int otherSide = 1 - hits_[id].side;
                std::optional<std::size_t> other; // its place in the group
                if (group.size() > kSmallGroup) {
                    other = alone[aloneKeys_[m]][otherSide];
                    if (!other || keys_[*other] != keys_[m])
                        other = firsts[keys_[m]][otherSide];
                } else {
                    std::optional<std::size_t> first;
                    for (std::size_t n = 0; n < group.size() && !other; ++n) {
                        if (hits_[group[n]].side != otherSide || keys_[n] != keys_[m])
                            continue;
                        if (!first)
                            first = n;
                        if (aloneKeys_[n] == aloneKeys_[m])
                            other = n;
                    }
                    if (!other)
                        other = first;
                }
                if (other) {
                    partner_[id] = group[*other];
                    causeOf_[id] = FirstNeededCause(hits_[id], hits_[group[*other]], causes,
                                                    mayChange_[m] | mayChange_[*other]);
                    --unmatched;
                }
            }
        }
    }

private:
    /// The first cause of `causes` (the first few causes, the fewest that match `a` with
    /// anything) without which `a` and `b` no longer fold alike. The last one is needed for
    /// sure, as `a` matched nothing without it. A cause outside `mayChange`, which changes
    /// neither, is not needed.
    NearMissCause FirstNeededCause(const Hit& a, const Hit& b, CauseSet causes,
                                   CauseSet mayChange) {
        const int last = std::bit_width(causes) - 1;
        for (int c = 0; c < last; ++c) {
            const CauseSet without = causes & ~(1u << c);
            if ((mayChange & (1u << c)) &&
                Folded(a, without, storageA_) != Folded(b, without, storageB_))
                return static_cast<NearMissCause>(c);
        }
        return static_cast<NearMissCause>(last);
    }

    const std::vector<Hit>& hits_;
    std::vector<std::optional<std::uint32_t>>& partner_; // written for the group's hits only
    std::vector<NearMissCause>& causeOf_;
    std::vector<std::string> storage_;      // the folds by the step's causes
    std::vector<std::string> aloneStorage_; // and by its new cause alone
    std::vector<std::string_view> keys_;
    std::vector<std::string_view> aloneKeys_;
    std::vector<CauseSet> mayChange_;
    std::string storageA_, storageB_;
};
/// A hash of a hit's fold, and the hit's number.
struct HashOfHit {
    std::uint64_t hash;
    std::uint32_t hit;
    auto operator<=>(const HashOfHit&) const = default;
};

/// `hashes` in the order of their hashes, equal ones by hit. The hashes are spread evenly, so
/// their top bits put each in one of many buckets, counted first, that hold a handful each.
void SortByHash(std::vector<HashOfHit>& hashes) {
    const int bucketBits = std::clamp(static_cast<int>(std::bit_width(hashes.size())), 1, 20);
    const auto bucketOf = [&](const HashOfHit& h) { return h.hash >> (64 - bucketBits); };
    std::vector<std::uint32_t> starts((std::size_t{1} << bucketBits) + 1);
    for (const HashOfHit& h : hashes)
        ++starts[bucketOf(h) + 1];
    for (std::size_t b = 1; b < starts.size(); ++b)
        starts[b] += starts[b - 1];
    std::vector<HashOfHit> sorted(hashes.size());
    std::vector<std::uint32_t> next(starts.begin(), starts.end() - 1);
    for (const HashOfHit& h : hashes)
        sorted[next[bucketOf(h)]++] = h;
    for (std::size_t b = 0; b + 1 < starts.size(); ++b)
        std::sort(sorted.begin() + starts[b], sorted.begin() + starts[b + 1]);
    hashes = std::move(sorted);
}

/// The hits linked by shared hashes, directly or through others, make a group: a hit's
/// every possible match is in its group. Writes the hits of each group that holds both lists
/// into `grouped`, each group in list order, and returns the groups as parts of it.
std::vector<std::span<const std::uint32_t>> Groups(const std::vector<Hit>& hits,
                                                   std::vector<HashOfHit>& hashes,
                                                   std::vector<std::uint32_t>& grouped) {
    std::vector<std::uint32_t> parent(hits.size());
    for (std::uint32_t id = 0; id < parent.size(); ++id)
        parent[id] = id;
    const auto root = [&](std::uint32_t id) {
        while (parent[id] != id)
            id = parent[id] = parent[parent[id]];
        return id;
    };
    SortByHash(hashes);
    for (std::size_t i = 1; i < hashes.size(); ++i) {
        if (hashes[i].hash == hashes[i - 1].hash)
            parent[root(hashes[i].hit)] = root(hashes[i - 1].hit);
    }
    // Each group's hits, counted by their root and then placed in order of number: list order.
    std::vector<std::uint32_t> starts(hits.size() + 1);
    std::vector<bool> sides(2 * hits.size());
    for (std::uint32_t id = 0; id < hits.size(); ++id) {
        ++starts[root(id) + 1];
        sides[2 * root(id) + hits[id].side] = true;
    }
    for (std::size_t r = 1; r < starts.size(); ++r)
        starts[r] += starts[r - 1];
    std::vector<std::uint32_t> byGroup(hits.size());
    std::vector<std::uint32_t> next(starts.begin(), starts.end() - 1);
    for (std::uint32_t id = 0; id < hits.size(); ++id)
        byGroup[next[root(id)]++] = id;

    std::vector<std::pair<std::size_t, std::size_t>> bounds;
    for (std::uint32_t r = 0; r < hits.size(); ++r) {
        if (!sides[2 * r] || !sides[2 * r + 1])
            continue;
        bounds.emplace_back(grouped.size(), starts[r + 1] - starts[r]);
        grouped.insert(grouped.end(), byGroup.begin() + starts[r], byGroup.begin() + starts[r + 1]);
    }
    std::vector<std::span<const std::uint32_t>> groups;
    for (const auto& [start, size] : bounds)
        groups.push_back(std::span<const std::uint32_t>(grouped).subspan(start, size));
    return groups;
}
} // namespace

NearMisses::NearMisses(const SingleHitSource& comparison) {
    // One walk over the single hits of each list, both lists at once, folds each hit
    // (ignoring the first cause, the first two, and so on) and keeps the hashes of its folds.
    // The hashes of each list fill its filter; the hits with a hash the other list's filter
    // holds too, the few that may match, are kept.
    std::array<std::vector<HashedHit>, 2> hashed;
    std::array<std::optional<HashFilter>, 2> filters;
    core::InTwoParts([&](int list) {
        const auto side = static_cast<Side>(list);
        hashed[side] = HashedSingleHits(comparison, side);
        filters[side].emplace(hashed[side].size());
        for (const HashedHit& hit : hashed[side])
            filters[side]->Add(hit.hash);
    });
    std::array<std::vector<Hit>, 2> kept;
    std::array<std::vector<HashOfHit>, 2> keptHashes; // hits numbered within their list
    std::array<std::uint64_t, 2> found{};
    core::InTwoParts([&](int list) {
        const auto side = static_cast<Side>(list);
        const std::vector<HashedHit>& all = hashed[side];
        for (std::size_t begin = 0, end = 0; begin < all.size(); begin = end) {
            // The entries of one hit.
            bool mayMatch = false;
            for (end = begin; end < all.size() && all[end].index == all[begin].index; ++end)
                mayMatch |= filters[1 - side]->MayHold(all[end].hash);
            ++found[side];
            if (!mayMatch)
                continue;
            for (std::size_t e = begin; e < end; ++e)
                keptHashes[side].push_back(
                    {all[e].hash, static_cast<std::uint32_t>(kept[side].size())});
            kept[side].push_back({all[begin].text, all[begin].index, side});
        }
    });
    singleHits_ = found[0] + found[1];
    std::vector<Hit> hits = std::move(kept[0]);
    const auto leftHits = static_cast<std::uint32_t>(hits.size());
    hits.insert(hits.end(), kept[1].begin(), kept[1].end());
    std::vector<HashOfHit> hashes = std::move(keptHashes[0]);
    for (const HashOfHit& rightHash : keptHashes[1])
        hashes.push_back({rightHash.hash, leftHits + rightHash.hit});

    // The groups with hits of both lists, matched in two parts at once: each writes the
    // partners of its own hits only.
    std::vector<std::uint32_t> grouped;
    const std::vector<std::span<const std::uint32_t>> groups = Groups(hits, hashes, grouped);
    std::vector<std::optional<std::uint32_t>> partner(hits.size());
    std::vector<NearMissCause> causeOf(hits.size());
    core::InTwoParts([&](int part) {
        const std::size_t half = groups.size() / 2;
        GroupMatcher matcher(hits, partner, causeOf);
        for (std::size_t g = part == 0 ? 0 : half; g < (part == 0 ? half : groups.size()); ++g)
            matcher.Match(groups[g]);
    });

    for (std::uint32_t id = 0; id < hits.size(); ++id) {
        if (!partner[id])
            continue;
        const Hit& hit = hits[id];
        const Hit& other = hits[*partner[id]];
        const NearMissCause cause = causeOf[id];
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
