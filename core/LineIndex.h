#pragma once
// Numbers the distinct lines of one or more lists: equal lines (same bytes) get the same id,
// and each distinct line counts its copies on the left and on the right list as it is met.
// An open-addressing hash table over views of the lines; the lines themselves stay where they
// are and must outlive the index. The table is kept at most three quarters full and grows by
// doubling, so its size follows the lines expected, not twice their number.
//
// A distinct line costs 16 bytes: where it starts and its length packed in one word, and its
// two counts. A line that does not fit the packing (65,535 bytes or longer, or at an address
// past 48 bits) keeps its view in a side list instead.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/BigArray.h"

namespace core {

class LineIndex {
public:
    using Id = std::uint32_t;
    enum Side : int { kLeft = 0, kRight = 1 };

    /// Prepares the table for about `expectedDistinct` distinct lines without growing, and
    /// address space (not memory) for `reservedDistinct` of them without moving any.
    explicit LineIndex(std::size_t expectedDistinct, std::size_t reservedDistinct = 0);

    /// The id of `line`, numbering it anew when it has not been seen.
    Id Intern(std::string_view line) { return Intern(line, Hash(line)); }
    /// The same, with `hash` == Hash(line) computed ahead by the caller.
    Id Intern(std::string_view line, std::uint64_t hash);
    /// The id of `line` when it has been interned, else kNone; interns nothing. With it a
    /// caller can keep its own copy of a line before interning it, when its bytes are not
    /// there to stay (read a block at a time from a file).
    static constexpr Id kNone = 0xFFFFFFFF;
    Id Find(std::string_view line, std::uint64_t hash) const;
    /// Counts one more copy of line `id` on `side`.
    void CountCopy(Id id, Side side) { ++distinct_[id].copies[side]; }
    /// Interns `line` and counts one more copy of it on `side`.
    Id Count(std::string_view line, std::uint64_t hash, Side side) {
        const Id id = Intern(line, hash);
        ++distinct_[id].copies[side];
        return id;
    }

    /// Starts loading the table slot of a line with this hash. The table is far bigger than
    /// the caches on large lists, so hashing a few lines ahead and prefetching their slots lets
    /// the memory waits overlap instead of coming one after another.
    void Prefetch(std::uint64_t hash) const { __builtin_prefetch(&slots_[SlotOf(hash)]); }

    /// Once the slot is in: starts loading the distinct line it points to, when its hash
    /// matches.
    void PrefetchEntry(std::uint64_t hash) const {
        if (const std::uint64_t entry = Candidate(hash))
            __builtin_prefetch(&distinct_[static_cast<Id>(entry) - 1]);
    }

    /// Once that is in too: starts loading the candidate's bytes, so the byte comparison that
    /// follows finds them in the cache.
    void PrefetchCandidate(std::uint64_t hash) const {
        if (const std::uint64_t entry = Candidate(hash)) {
            const std::uint64_t where = distinct_[static_cast<Id>(entry) - 1].where;
            if ((where >> kSizeShift) != kAside)
                __builtin_prefetch(reinterpret_cast<const void*>(where & kAddressMask));
        }
    }

    /// XXH3: on the short lines of lists, twice as fast as the word-wise FNV it replaced
    /// (bench: dyadlist_bench --benchmark_filter=Hash).
    static std::uint64_t Hash(std::string_view line);

    std::size_t DistinctCount() const { return distinctCount_; }
    std::string_view Line(Id id) const {
        const std::uint64_t where = distinct_[id].where;
        const std::size_t size = static_cast<std::size_t>(where >> kSizeShift);
        if (size == kAside)
            return aside_[where & kAddressMask];
        return {reinterpret_cast<const char*>(where & kAddressMask), size};
    }
    /// Copies of line `id` counted on `side`.
    std::uint32_t Copies(Id id, Side side) const { return distinct_[id].copies[side]; }

private:
    struct Distinct {
        std::uint64_t where; // address | size << 48, or index into aside_ | kAside << 48
        std::array<std::uint32_t, 2> copies;
    };
    static constexpr int kSizeShift = 48;
    static constexpr std::uint64_t kAddressMask = (std::uint64_t{1} << kSizeShift) - 1;
    static constexpr std::size_t kAside = 0xFFFF;
    static constexpr std::uint64_t kTagMask = 0xFFFFFFFF00000000ULL;

    // A slot holds the upper half of the line's hash above its id + 1 (0: empty), so one
    // memory access both finds the slot and rules out most unequal lines; the upper half also
    // places the entry again when the table grows. Slots are found by scaling bits 32-62 of
    // the hash to the table size (bit 63 picks the comparison's half), so the table can have
    // any size.
    static std::uint64_t Slot(std::uint64_t hash, Id id) { return (hash & kTagMask) | (id + 1ull); }
    static std::size_t SlotIn(std::uint64_t hash, std::size_t slots) {
        return static_cast<std::size_t>(((hash >> 32) & 0x7FFFFFFF) * slots >> 31);
    }
    std::size_t SlotOf(std::uint64_t hash) const { return SlotIn(hash, slots_.size()); }
    /// The entry in the home slot of `hash` when its tag matches, or 0.
    std::uint64_t Candidate(std::uint64_t hash) const {
        const std::uint64_t entry = slots_[SlotOf(hash)];
        return entry != 0 && (entry & kTagMask) == (hash & kTagMask) ? entry : 0;
    }
    /// The slot holding `line`, or the empty slot where it would go.
    std::size_t SlotFor(std::string_view line, std::uint64_t hash) const;
    std::uint64_t Where(std::string_view line);
    void Grow();
    void AddDistinct(std::string_view line);

    BigArray<std::uint64_t> slots_;
    // Room for the distinct lines, in huge pages like the table: each is reached at random.
    BigArray<Distinct> distinct_;
    std::size_t distinctCount_ = 0;
    std::vector<std::string_view> aside_;
};

} // namespace core
