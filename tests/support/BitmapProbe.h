#pragma once
// Reading what a canvas drew on a bitmap.

#include <algorithm>

#include "platform/Graphics.h"

inline constexpr TColor kRed = 0x0000FF; // red lives in the low byte
inline constexpr TColor kBlue = 0xFF0000;

/// The bounding box of the pixels of `within` that differ from `background`, or an empty
/// rect.
inline TRect PaintedBox(const TBitmap& b, TColor background, TRect within) {
    TRect box{within.Right, within.Bottom, within.Left, within.Top};
    for (int y = within.Top; y < within.Bottom; ++y)
        for (int x = within.Left; x < within.Right; ++x)
            if (b.Pixel(x, y) != background) {
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
    return box.Right <= box.Left ? TRect{} : box;
}

/// The same over the whole bitmap.
inline TRect PaintedBox(const TBitmap& b, TColor background) {
    return PaintedBox(b, background, TRect{0, 0, b.Width(), b.Height()});
}

/// How many pixels have exactly `color`.
inline int Count(const TBitmap& b, TColor color) {
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            n += b.Pixel(x, y) == color;
    return n;
}
