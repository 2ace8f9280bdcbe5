#pragma once
// Numbers the distinct lines of one or more lists: equal lines (same bytes) get the same id.
// An open-addressing hash table over views of the lines; the lines themselves stay where they
// are and must outlive the index.

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/LineText.h"

namespace core {

class LineIndex {
public:
    using Id = std::uint32_t;

    /// Prepares room for about `expectedLines` lines without rehashing.
    explicit LineIndex(std::size_t expectedLines);

    /// The id of `line`, numbering it anew when it has not been seen.
    Id Intern(std::string_view line) { return Intern(line, Hash(line)); }

    /// The same, with `hash` == Hash(line) computed ahead by the caller.
    Id Intern(std::string_view line, std::uint64_t hash);

    /// Starts loading the table slot of a line with this hash. On large lists the table is far
    /// bigger than the caches, so hashing a few lines ahead and prefetching their slots lets
    /// the memory waits overlap instead of coming one after another.
    void Prefetch(std::uint64_t hash) const { __builtin_prefetch(&slots_[SlotOf(hash)]); }

    static std::uint64_t Hash(std::string_view line);

    std::size_t DistinctCount() const { return distinct_.size(); }
    std::string_view Line(Id id) const { return distinct_[id]; }

private:
    // A slot holds the low 32 bits of the line's hash above its id + 1 (0: empty), so one
    // memory access both finds the slot and rules out most unequal lines.
    static std::uint64_t Slot(std::uint64_t hash, Id id) { return (hash << 32) | (id + 1ull); }
    std::size_t SlotOf(std::uint64_t hash) const {
        return static_cast<std::size_t>(hash >> 32) & mask_;
    }
    void Grow();

    std::vector<std::uint64_t> slots_;
    std::vector<std::uint32_t> hashes_; // per id, the hash's high half, for rehashing
    std::vector<std::string_view> distinct_;
    std::size_t mask_ = 0;
};

} // namespace core
