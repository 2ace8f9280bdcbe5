#pragma once
// The memory a run may use (--memory), and what the in-memory comparison of a list costs.
//
// The in-memory comparison holds both lists' bytes (a regular file mapped, a pipe read) and,
// for every line, its key and its share of the hash index: about kIndexBytesPerLine bytes
// (measured: 822 MB for two lists of 10,000,000 lines and 160 MB each). When the two lists'
// cost passes the budget, the comparison goes out of core (SpilledComparison.h).

#include <cstdint>

namespace cli {

inline constexpr std::uint64_t kIndexBytesPerLine = 32;

/// Half of the machine's physical memory: room for the run and for the page cache that its
/// files go through.
std::uint64_t DefaultMemoryBudget();

/// What the in-memory comparison holds for a list of `bytes` bytes and `lines` lines.
inline std::uint64_t InMemoryCost(std::uint64_t bytes, std::uint64_t lines) {
    return bytes + kIndexBytesPerLine * lines;
}

/// The lines of the regular file open on `fd`, of `size` bytes, estimated from line breaks
/// counted in a few samples spread over it (a few pages read, whatever its size).
std::uint64_t EstimateLines(int fd, std::uint64_t size);

} // namespace cli
