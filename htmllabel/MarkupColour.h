#pragma once
// Colour values of markup attributes.

#include <string_view>

#include "platform/Types.h"

/// "#RRGGBB" (hexadecimal digits in either case; a missing or non-hexadecimal digit reads as
/// 0) gives R + G * 256 + B * 65536. Anything else is a colour name, looked up lower-cased in
/// the table of plain colours ("clred", "clnavy"...) and then in the system colours
/// ("clbtnface" is 0xFF00000F); an unknown name gives black. An empty value gives clNone,
/// which the callers read as "no colour given".
TColor ParseColour(std::string_view value);
