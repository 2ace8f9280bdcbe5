#pragma once
// Where 8-bit list text meets the screen or the clipboard. Lines are kept as bytes exactly as
// read; for display a text that is valid UTF-8 is shown as UTF-8, anything else byte by byte
// through Windows-1252 (its five unused bytes as the C1 controls of the same value), so
// nothing is lost or replaced. Text coming in from the desktop is stored as UTF-8.

#include <string>
#include <string_view>

/// Strict: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

/// The UTF-8 text that shows `bytes`.
std::string DisplayUtf8(std::string_view bytes);

/// Appends DisplayUtf8(bytes) to `out` without a temporary (for building big texts).
void AppendDisplayUtf8(std::string& out, std::string_view bytes);
