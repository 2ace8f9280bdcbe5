#pragma once
// One block's entries put back in order and written as text: the last step of
// dyadlist-cluster. Every partition gives the entries of a block in the block's line order;
// the entries of all partitions together are ordered by their line index in the block, which
// is unique, so each goes to its own place in a table as long as the block's lines, with no
// sort. A multiple hit is written as many times as its copies on the other list.
//
// The text is what dyadlist-compare writes: each entry and LF; with line numbers, first the
// list's letter, the line's number (from 1) and a colon.

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace cluster {

struct RenderSettings {
    bool multipleHits = false;   // records carry copies (PartitionResult::multiple)
    char letter = 'L';           // the list the block belongs to
    std::uint64_t firstLine = 0; // the number of the block's first line in its list, from 0
    std::uint64_t lines = 0;     // the block's lines: every index is below
    bool lineNumbers = false;
};

/// Writes the entries of `partitions` (each the records one partition gave for this block),
/// handing the text to `write` a piece at a time. Malformed records throw WireError.
void RenderEntries(const std::vector<std::string_view>& partitions, const RenderSettings& settings,
                   const std::function<void(std::string_view)>& write);

} // namespace cluster
