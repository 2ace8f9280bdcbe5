#pragma once
// A bitmap to paint on, filled beforehand with a colour that no drawing under test uses, so
// every pixel a routine leaves unpainted shows.

#include <memory>

#include "platform/Graphics.h"

inline constexpr TColor kUnpainted = 0x13579B;

inline std::unique_ptr<TBitmap> Blank(int w, int h) {
    auto b = std::make_unique<TBitmap>(w, h);
    b->Canvas().Brush().Color = kUnpainted;
    b->Canvas().FillRect(Rect(0, 0, w, h));
    return b;
}
