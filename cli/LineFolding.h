#pragma once
// Differences between two lines that a reader cannot see, and the folding that ignores them:
// the causes of a near miss, in the order they are blamed.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace cli {

enum class NearMissCause : int {
    kBlanks,        // leading or trailing space, tab or no-break space
    kCase,          // letter case: ASCII, Latin, Greek and Cyrillic
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

/// A hash of FoldLine(line, every cause, firstLine): equal folds hash alike. Printable ASCII,
/// most lines, is hashed as it is folded, without a copy; `storage` serves the rest.
std::uint64_t FoldedHash(std::string_view line, bool firstLine, std::string& storage);

/// `text` with every byte outside printable ASCII, and the backslash, written as \xHH: what
/// looks alike on a screen reads apart here.
std::string Escaped(std::string_view text);

} // namespace cli
