#pragma once
// Bytes of the user's (list lines, file names, arguments) shown on a terminal: nothing in them
// may act on the terminal, and what looks alike must read apart.

#include <string>
#include <string_view>

namespace cli {

/// `text` with every byte outside printable ASCII, and the backslash, written as \xHH: what
/// looks alike on a screen reads apart here.
std::string Escaped(std::string_view text);

/// `text` with what a terminal would act on written as \xHH: the control characters (C0, DEL,
/// and C1 whether as a UTF-8 character or as a lone byte), every byte that is not part of a
/// valid UTF-8 character, and the backslash, so an escape reads as one. Other characters,
/// letters beyond ASCII among them, stay as they are.
std::string Printable(std::string_view text);

} // namespace cli
