#pragma once
// Traps in a list file that the comparison, byte-exact by design, does not point out itself:
// a list in UTF-16 or UTF-32, which reads as its first character since its first NUL byte
// ends the text; a text cut short by a NUL byte; lines ending in a mix of LF and CR LF.
// None of them changes a result; they are told on standard error.

#include <string>
#include <string_view>
#include <vector>

namespace cli {

/// The warnings for the bytes of the list file `fileName`, one sentence each, without the
/// program's name and without a line break.
std::vector<std::string> InputWarnings(std::string_view bytes, const std::string& fileName);

} // namespace cli
