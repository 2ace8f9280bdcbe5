#pragma once
// Differences between two lines that a reader cannot see, and the folding that ignores them:
// the causes of a near miss, in the order they are blamed.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace cli {

enum class NearMissCause : int {
    kBlanks,        // leading or trailing space, tab or no-break space
    kCase,          // letter case, by Unicode's full case folding in every script
    kEncoding,      // UTF-8 on one side, Windows-1252 on the other
    kByteOrderMark, // a UTF-8 byte order mark at the start of a list's first line
    kComposition,   // precomposed letters against letters with combining accents
    kInvisible,     // zero-width space, non-joiner and joiner, word joiner, soft hyphen
};
inline constexpr int kNearMissCauses = 6;

/// A set of causes, a bit for each.
using CauseSet = unsigned;
inline constexpr CauseSet CauseBit(NearMissCause cause) {
    return 1u << static_cast<int>(cause);
}
/// The first `count` causes.
inline constexpr CauseSet FirstCauses(int count) {
    return (1u << count) - 1;
}

/// The cause's name in reports: one word, for scripts as well.
std::string_view CauseName(NearMissCause cause);

/// `line` with the differences of `causes` folded away; a view of `line` itself when nothing
/// changes, else of `storage`. `firstLine`: the line is its list's first, where a byte order
/// mark stands. The folds always run in one order (encoding, byte order mark, composition,
/// invisible characters, blanks, case), whatever subset is asked for, so that each undoes
/// what it should on what the earlier ones left.
std::string_view FoldLine(std::string_view line, CauseSet causes, bool firstLine,
                          std::string& storage);

/// The causes whose folds may change `line`, alone or after the others: at least all of
/// those, so that FoldLine(line, causes & MayChange(line, firstLine), firstLine) folds as
/// FoldLine(line, causes, firstLine) does. Blanks and case are always in; for printable
/// ASCII nothing else is.
CauseSet MayChange(std::string_view line, bool firstLine);

/// The hashes of a line's folds ignoring the first cause, the first two, and so on up to all
/// of them, each hash once, as far as needed so that two lines that fold alike at some step
/// share a hash.
class FoldHashes {
public:
    std::span<const std::uint64_t> Values() const { return {values_.data(), count_}; }
    /// Adds `hash` unless it is there.
    void Add(std::uint64_t hash);

private:
    std::array<std::uint64_t, kNearMissCauses> values_{};
    std::size_t count_ = 0;
};

/// FoldHashes of `line`. Printable ASCII, most lines, is hashed as it is folded, without a
/// copy; `storage` serves the rest.
FoldHashes FoldedHashes(std::string_view line, bool firstLine, std::string& storage);

} // namespace cli
