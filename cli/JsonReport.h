#pragma once
// --json: the counts, the warnings and (with --explain) the near misses as one JSON object,
// for scripts. Strings hold any bytes: those outside printable ASCII are written as \u00XX,
// one per byte, and lines are first escaped as the text report escapes them (\xHH), so the
// object is valid JSON whatever the lists hold.

#include <cstdint>
#include <string>
#include <vector>

namespace cli {

class NearMisses;

struct JsonReportInput {
    std::uint64_t multipleHits = 0;
    std::uint64_t singleHits = 0;
    const std::vector<std::string>* warnings = nullptr;
    const NearMisses* nearMisses = nullptr; // null: not asked for
};

/// The object, on one line, ending in a newline.
std::string JsonReport(const JsonReportInput& input);

} // namespace cli
