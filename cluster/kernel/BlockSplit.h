#pragma once
// One block of a list, split into lines by the list's load rules and dealt to partitions by
// the lines' hashes: the map step of dyadlist-cluster.
//
// A list is the concatenation of its files, and a block is a byte range [start, end) of that
// concatenation. A block owns the lines that start inside it; a line starts at the list's first
// byte and after every break (CR, LF or CR LF), but a break at the very end of the text starts
// none. So a boundary never splits a line: the block that owns a line reads past its own end
// to finish it, and the next block skips it. Whether the first position of a block starts a
// line depends on the byte before it (LF, or CR not followed by LF), which the block is given,
// so a CR LF pair across a boundary (or across two files) is one break.
//
// The first NUL byte ends the list. A block sees only the NULs in its own range: the one that
// holds the list's first NUL owns no line past it, and dyadlist-cluster drops the blocks
// after it. A line that runs into a NUL ends there, like one that runs into the list's end.
//
// Tabs become four spaces before a line is hashed, so the partitions see the lines as the
// comparison does.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cluster/kernel/KernelIo.h"
#include "core/LineText.h"

namespace cluster {

/// What a block is given: the byte before it (unless it starts the list), its own bytes, and
/// after them every byte up to and including the first CR, LF or NUL (or up to the list's end).
struct BlockText {
    std::string_view text;
    bool hasBefore = false; // text[0] is the byte before the block
    std::size_t owned = 0;  // the block's own bytes, after that byte
};

/// What the warnings about a list need from each block: counted over the block's own bytes
/// before its first NUL.
struct BlockFacts {
    std::uint64_t lines = 0;
    std::optional<std::uint64_t> nulAt; // the first NUL, from the block's start
    std::uint64_t lf = 0;               // line ends that are a lone LF
    std::uint64_t crLf = 0;             // and that are CR LF
};

/// Calls `visit(std::string_view)` for every line the block owns, in order, tabs left alone;
/// returns the block's facts.
template <class Visit> BlockFacts ForEachOwnedLine(const BlockText& block, Visit&& visit) {
    const std::string_view text = block.text;
    const std::size_t first = block.hasBefore ? 1 : 0;
    const std::size_t ownedEnd = std::min(text.size(), first + block.owned);
    BlockFacts facts;

    std::size_t limit = ownedEnd; // no line starts at or past it
    const std::string_view own = text.substr(first, ownedEnd - first);
    if (const std::size_t nul = own.find('\0'); nul != std::string_view::npos) {
        facts.nulAt = nul;
        limit = first + nul;
    }
    for (std::size_t lf = text.find('\n', first); lf < limit; lf = text.find('\n', lf + 1))
        ++(lf > 0 && text[lf - 1] == '\r' ? facts.crLf : facts.lf);

    // The first line start at or past the block's start.
    std::size_t pos = first;
    if (block.hasBefore) {
        const char before = text[0];
        const bool starts =
            before == '\n' || (before == '\r' && (first == text.size() || text[first] != '\n'));
        if (!starts) {
            const char* const end = text.data() + text.size();
            const char* const lineEnd = core::FindLineEnd(text.data() + first, end);
            if (lineEnd == end || *lineEnd == '\0')
                return facts;
            pos = static_cast<std::size_t>(lineEnd - text.data()) + 1;
            if (*lineEnd == '\r' && pos < text.size() && text[pos] == '\n')
                ++pos;
        }
    }
    const char* const end = text.data() + text.size();
    while (pos < limit) {
        const char* const start = text.data() + pos;
        const char* const lineEnd = core::FindLineEnd(start, end);
        visit(std::string_view(start, static_cast<std::size_t>(lineEnd - start)));
        ++facts.lines;
        if (lineEnd == end || *lineEnd == '\0')
            break;
        pos = static_cast<std::size_t>(lineEnd - text.data()) + 1;
        if (*lineEnd == '\r' && pos < text.size() && text[pos] == '\n')
            ++pos;
    }
    return facts;
}

/// The partition, of `partitions`, of a line with this hash: from the hash's low half, so
/// the high half that places a line in a partition's own index stays evenly spread.
inline std::uint32_t PartitionOf(std::uint64_t hash, std::uint32_t partitions) {
    return static_cast<std::uint32_t>(((hash & 0xFFFFFFFFu) * partitions) >> 32);
}

struct SplitBlock {
    BlockFacts facts;
    /// Per partition, its lines as records in block order: the line's index in the block
    /// (4 bytes), its length (4 bytes), its bytes with tabs replaced.
    std::vector<GrowingBytes> partitions;
};

/// Splits the block and deals its lines to `partitions` partitions. A line of 4 GiB or more
/// throws std::length_error.
SplitBlock SplitBlockLines(const BlockText& block, std::uint32_t partitions);

} // namespace cluster
