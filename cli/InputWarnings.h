#pragma once
// Traps in a list file that the comparison, byte-exact by design, does not point out itself:
// a list in UTF-16 or UTF-32, which reads as its first character since its first NUL byte
// ends the text; a text cut short by a NUL byte; lines ending in a mix of LF and CR LF.
// None of them changes a result; they are told on standard error.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/FileText.h"

namespace cli {

/// Bytes looked at for NULs in every other position: enough to tell, little to read.
inline constexpr std::size_t kWideSample = 256;

/// What the warnings are told from, gathered from a whole file or while it is read as a stream.
struct InputFacts {
    std::string_view head;                 // the first bytes, kWideSample of them when there are
    std::optional<std::uint64_t> nulAt;    // the offset of the first NUL
    std::optional<std::uint64_t> afterNul; // the bytes after it, when known
    std::uint64_t lf = 0;                  // line ends before the NUL that are a lone LF
    std::uint64_t crLf = 0;                // and that are CR LF
};

/// The facts of a file read whole (mapped or read); they view its bytes.
InputFacts FactsOf(const core::FileText& file);

/// The warnings for a list named `fileName`, one sentence each, without the program's name
/// and without a line break.
std::vector<std::string> InputWarnings(const InputFacts& facts, const std::string& fileName);

/// The warnings for the list file `fileName` whose bytes `file` holds, one sentence each,
/// without the program's name and without a line break.
std::vector<std::string> InputWarnings(const core::FileText& file, const std::string& fileName);

} // namespace cli
