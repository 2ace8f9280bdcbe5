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
    Id Intern(std::string_view line);

    std::size_t DistinctCount() const { return distinct_.size(); }
    std::string_view Line(Id id) const { return distinct_[id]; }

private:
    void Grow();
    static std::uint64_t Hash(std::string_view line);

    std::vector<std::uint32_t> slots_; // 0: empty; otherwise id + 1
    std::vector<std::uint32_t> tags_;  // low bits of each slot's hash, to skip most compares
    std::vector<std::uint32_t> hashes_; // per id, for rehashing without rereading lines
    std::vector<std::string_view> distinct_;
    std::size_t mask_ = 0;
};

} // namespace core
