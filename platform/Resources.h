#pragma once
// The program's own data resources (pictures that markup names as "RES://NAME"), compiled
// into the program.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

/// The bytes of the data resource `name` (in any letter case), or none when the program has
/// no such resource.
std::optional<std::vector<std::uint8_t>> ProgramResource(std::string_view name);
