#pragma once
// Traps in a list file that the comparison, byte-exact by design, does not point out itself:
// a list in UTF-16 or UTF-32, which reads as its first character since its first NUL byte
// ends the text; a text cut short by a NUL byte; lines ending in a mix of LF and CR LF.
// None of them changes a result; they are told on standard error.

#include <string>
#include <vector>

#include "core/FileText.h"

namespace cli {

/// The warnings for the list file `fileName` whose bytes `file` holds, one sentence each,
/// without the program's name and without a line break.
std::vector<std::string> InputWarnings(const core::FileText& file, const std::string& fileName);

} // namespace cli
