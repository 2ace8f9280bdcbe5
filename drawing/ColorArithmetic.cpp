#include "drawing/ColorArithmetic.h"

#include <algorithm>

#include "platform/SysColors.h"

namespace {

int Channel(TColor rgb, int shift) {
    return static_cast<int>((rgb >> shift) & 0xFF);
}

TColor Rgb(int r, int g, int b) {
    return static_cast<TColor>(r) | static_cast<TColor>(g) << 8 | static_cast<TColor>(b) << 16;
}

// numerator / 100 rounded to the nearest integer, halves to the even neighbour. Exact integer
// arithmetic: 0.9 * 225 in doubles is not reliably 202.5. A negative numerator (a step below
// -100 %) gives a result at or below 0, which the caller holds at 0.
int RoundPercent(int numerator) {
    int q = numerator / 100;
    const int r = numerator % 100;
    if (r > 50 || (r == 50 && q % 2 != 0))
        ++q;
    return q;
}

int Step(int v, int percent) {
    const int result =
        v > 0 ? RoundPercent(std::min(100, 100 + percent) * v) : std::max(0, percent);
    return std::clamp(result, 0, 255);
}

} // namespace

TARGB ToARGB(TColor color) {
    const TColor rgb = ColorToRGB(color);
    return OpaqueARGB(static_cast<unsigned>(Channel(rgb, 0)),
                      static_cast<unsigned>(Channel(rgb, 8)),
                      static_cast<unsigned>(Channel(rgb, 16)));
}

TColor AdjustBrightness(TColor color, int percent) {
    return AdjustBrightnessRGB(color, percent, percent, percent);
}

TColor AdjustBrightnessRGB(TColor color, int redPercent, int greenPercent, int bluePercent) {
    const TColor rgb = ColorToRGB(color);
    return Rgb(Step(Channel(rgb, 0), redPercent), Step(Channel(rgb, 8), greenPercent),
               Step(Channel(rgb, 16), bluePercent));
}

TColor MixColors(TColor a, TColor b, int percent) {
    const TColor ca = ColorToRGB(a);
    const TColor cb = ColorToRGB(b);
    if (percent >= 100)
        return ca;
    if (percent <= 0)
        return cb;
    auto mix = [&](int shift) {
        return std::min(
            255, RoundPercent(percent * Channel(ca, shift) + (100 - percent) * Channel(cb, shift)));
    };
    return Rgb(mix(0), mix(8), mix(16));
}
