#pragma once
// Colour arithmetic of the glow faces: brightness steps and two-colour mixing on 24-bit
// colours, and the packing into the 0xAARRGGBB values the 2D graphics layer takes. System
// colours are resolved through the fixed table before anything is computed with them.

#include <cstdint>

#include "platform/Types.h"

/// A colour for the 2D graphics layer: 0xAARRGGBB.
using TARGB = std::uint32_t;

/// `color` resolved and made opaque, red and blue exchanged: 0xFF000000 | R << 16 | G << 8 | B.
TARGB ToARGB(TColor color);

/// (a << 24) | (r << 16) | (g << 8) | b, each argument taken as its low 8 bits.
constexpr TARGB PackARGB(unsigned a, unsigned r, unsigned g, unsigned b) {
    return ((a & 0xFFu) << 24) | ((r & 0xFFu) << 16) | ((g & 0xFFu) << 8) | (b & 0xFFu);
}
constexpr TARGB OpaqueARGB(unsigned r, unsigned g, unsigned b) {
    return PackARGB(255, r, g, b);
}
constexpr unsigned AlphaOf(TARGB c) {
    return (c >> 24) & 0xFFu;
}
constexpr unsigned RedOf(TARGB c) {
    return (c >> 16) & 0xFFu;
}
constexpr unsigned GreenOf(TARGB c) {
    return (c >> 8) & 0xFFu;
}
constexpr unsigned BlueOf(TARGB c) {
    return c & 0xFFu;
}

/// One brightness step of `percent` on all three channels (see AdjustBrightnessRGB).
TColor AdjustBrightness(TColor color, int percent);

/// A step per channel: a non-zero channel v becomes round(min(100, 100 + q) / 100 * v), so a
/// positive percent never brightens it; a zero channel becomes max(0, q), so black is lifted.
/// Halves round to even (202.5 gives 202). Results outside 0..255 are held to that range.
TColor AdjustBrightnessRGB(TColor color, int redPercent, int greenPercent, int bluePercent);

/// `a` weighted by `percent`, `b` by the rest, per channel, halves to even; 100 and above give
/// `a` and 0 and below `b` exactly as resolved.
TColor MixColors(TColor a, TColor b, int percent);
