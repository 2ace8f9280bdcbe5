#include "drawing/Gradient.h"

#include <algorithm>
#include <cmath>

#include "platform/SysColors.h"

namespace {

int Component(TColor color, int shift) {
    return static_cast<int>((color >> shift) & 0xFF);
}

int Blend(int a, int b, int k, int steps) {
    // std::nearbyint rounds halves to even under the default rounding mode.
    return a + static_cast<int>(std::nearbyint(static_cast<double>(k) * (b - a) / steps));
}

} // namespace

void DrawGradient(TCanvas& canvas, TColor from, TColor to, int steps, TGradientDirection direction,
                  const TRect& r) {
    const TColor a = ColorToRGB(from);
    const TColor b = ColorToRGB(to);
    if (steps <= 0)
        steps = 1;
    const bool horizontal = direction == TGradientDirection::gdHorizontal;
    const double h = static_cast<double>(horizontal ? r.Width() : r.Height()) / steps;
    for (int k = 0; k < steps; ++k) {
        const TColor color =
            static_cast<TColor>(Blend(Component(a, 0), Component(b, 0), k, steps)) |
            static_cast<TColor>(Blend(Component(a, 8), Component(b, 8), k, steps)) << 8 |
            static_cast<TColor>(Blend(Component(a, 16), Component(b, 16), k, steps)) << 16;
        canvas.Pen().Color = color;
        canvas.Pen().Style = TPenStyle::psSolid;
        canvas.Brush().Color = color;
        canvas.Brush().Style = TBrushStyle::bsSolid;
        const int start = static_cast<int>(std::nearbyint(k * h));
        const int length = static_cast<int>(h) + 1;
        if (horizontal) {
            const int left = r.Left + start;
            canvas.FillRect(Rect(left, r.Top, std::min(r.Right, left + length), r.Bottom));
        } else {
            const int top = r.Top + start;
            canvas.FillRect(Rect(r.Left, top, r.Right, std::min(r.Bottom, top + length)));
        }
    }
}
