#include "cli/JsonReport.h"

#include "cli/Escaping.h"

#include "cli/NearMisses.h"

namespace cli {

namespace {

std::string JsonString(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '"' || byte == '\\') {
            out += '\\';
            out += c;
        } else if (byte >= 0x20 && byte < 0x7F) {
            out += c;
        } else {
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        }
    }
    return out + "\"";
}

std::string NearMissesJson(const NearMisses& nearMisses) {
    std::string out = "{\"total\":" + std::to_string(nearMisses.Total()) + ",\"causes\":{";
    for (int c = 0; c < kNearMissCauses; ++c) {
        const auto cause = static_cast<NearMissCause>(c);
        out += (c == 0 ? "" : ",") + JsonString(CauseName(cause)) +
               ":{\"count\":" + std::to_string(nearMisses.Count(cause)) + ",\"examples\":[";
        std::size_t shown = 0;
        for (const NearMissPair& pair : nearMisses.Pairs()) {
            if (pair.cause != cause)
                continue;
            if (shown == NearMisses::kExamples)
                break;
            out += (shown++ == 0 ? "" : ",") + std::string("{\"left\":") +
                   std::to_string(pair.leftIndex + 1) +
                   ",\"right\":" + std::to_string(pair.rightIndex + 1) +
                   ",\"leftText\":" + JsonString(Escaped(pair.left)) +
                   ",\"rightText\":" + JsonString(Escaped(pair.right)) + "}";
        }
        out += "]}";
    }
    return out + "}}";
}

} // namespace

std::string JsonReport(const JsonReportInput& input) {
    std::string out = "{\"multipleHits\":" + std::to_string(input.multipleHits) +
                      ",\"singleHits\":" + std::to_string(input.singleHits) + ",\"warnings\":[";
    if (input.warnings != nullptr) {
        for (std::size_t i = 0; i < input.warnings->size(); ++i)
            out += (i == 0 ? "" : ",") + JsonString((*input.warnings)[i]);
    }
    out += "]";
    if (input.nearMisses != nullptr)
        out += ",\"nearMisses\":" + NearMissesJson(*input.nearMisses);
    return out + "}\n";
}

} // namespace cli
