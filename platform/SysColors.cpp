#include "platform/SysColors.h"

#include <array>

namespace {

// Indexed by the system colour number; 0x00BBGGRR. Fixed, so pictures do not depend on the
// desktop theme.
constexpr std::array<TColor, 31> kSysColors = {
    0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
    0x000000, 0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xFF9933, 0xFFFFFF, 0xF0F0F0,
    0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
    0xE1FFFF, 0x000000, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xFF9933, 0xF0F0F0};

} // namespace

TColor GetSysColor(int index) {
    if (index < 0 || index >= static_cast<int>(kSysColors.size()))
        return 0x000000;
    return kSysColors[static_cast<std::size_t>(index)];
}

TColor ColorToRGB(TColor color) {
    if (color & 0x80000000u)
        return GetSysColor(static_cast<int>(color & 0xFF));
    return color & 0x00FFFFFFu;
}

int GetSystemMetrics(TSystemMetric metric) {
    switch (metric) {
    case TSystemMetric::smCxVScroll:
    case TSystemMetric::smCyHScroll:
        return 17;
    }
    return 0;
}
