#pragma once
// Numbers the distinct lines of one or more lists: equal lines (same bytes) get the same id,
// and each distinct line counts its copies on the left and on the right list as it is met.
// An open-addressing hash table over views of the lines; the lines themselves stay where they
// are and must outlive the index. The table is kept at most three quarters full and grows by
// doubling, so its size follows the distinct lines found, not the lines read.

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

    /// Prepares room for about `expectedDistinct` distinct lines without growing.
    explicit LineIndex(std::size_t expectedDistinct);

    /// The id of `line`, numbering it anew when it has not been seen.
    Id Intern(std::string_view line) { return Intern(line, Hash(line)); }
    /// The same, with `hash` == Hash(line) computed ahead by the caller.
    Id Intern(std::string_view line, std::uint64_t hash);
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

    /// Once the slot is in: starts loading the line that the slot points to, when its hash
    /// matches, so the byte comparison that follows finds it in the cache.
    void PrefetchCandidate(std::uint64_t hash) const {
        const std::uint64_t entry = slots_[SlotOf(hash)];
        if (entry != 0 && (entry & 0xFFFFFFFF00000000ULL) == (hash & 0xFFFFFFFF00000000ULL)) {
            const Distinct& d = distinct_[static_cast<Id>(entry) - 1];
            __builtin_prefetch(&d);
            __builtin_prefetch(d.line.data());
        }
    }

    /// XXH3: on the short lines of lists, twice as fast as the word-wise FNV it replaced
    /// (bench: dyadlist_bench --benchmark_filter=Hash).
    static std::uint64_t Hash(std::string_view line);

    std::size_t DistinctCount() const { return distinct_.size(); }
    std::string_view Line(Id id) const { return distinct_[id].line; }
    /// Copies of line `id` counted on `side`.
    std::uint32_t Copies(Id id, Side side) const { return distinct_[id].copies[side]; }

private:
    struct Distinct {
        std::string_view line;
        std::array<std::uint32_t, 2> copies{0, 0};
    };

    // A slot holds the upper half of the line's hash above its id + 1 (0: empty), so one
    // memory access both finds the slot and rules out most unequal lines; the upper half also
    // places the entry again when the table grows.
    static std::uint64_t Slot(std::uint64_t hash, Id id) {
        return (hash & 0xFFFFFFFF00000000ULL) | (id + 1ull);
    }
    std::size_t SlotOf(std::uint64_t hash) const {
        return static_cast<std::size_t>(hash >> 32) & mask_;
    }
    void Grow();

    BigArray<std::uint64_t> slots_;
    std::size_t mask_ = 0;
    std::vector<Distinct> distinct_;
};

} // namespace core
