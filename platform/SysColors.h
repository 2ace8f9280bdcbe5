#pragma once
// The fixed system colour table, so pictures are the same on every desktop.

#include "platform/Types.h"

/// The system colour with `index` (0..30) as 0x00BBGGRR; black for an unknown index.
TColor GetSysColor(int index);

/// `color` as a plain 0x00BBGGRR value: a value with the top bit set is looked up in the
/// system colour table by its low byte; others are masked to 24 bits.
TColor ColorToRGB(TColor color);

enum class TSystemMetric {
    smCxVScroll, // width of a vertical scroll bar
    smCyHScroll, // height of a horizontal scroll bar
};

/// The system's fixed sizes: 17 pixels for both scroll bar thicknesses, as on every desktop.
int GetSystemMetrics(TSystemMetric metric);
