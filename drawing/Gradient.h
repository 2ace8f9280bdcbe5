#pragma once
// The stepped gradient shared by the editor's gutter and the markup renderer: n bands of
// solid colour drawn with the canvas, each band's colour rounded per component.

#include "platform/Graphics.h"
#include "platform/Types.h"

enum class TGradientDirection { gdHorizontal, gdVertical };

/// Fills `r` from colour `from` to colour `to` in `steps` bands (0 counts as 1); band k has
/// from + round(k * (to - from) / steps) per component (halves to even), so the last band is
/// one step short of `to`. System colours are resolved first. Leaves the canvas's pen and
/// brush set to the last band's colour.
void DrawGradient(TCanvas& canvas, TColor from, TColor to, int steps, TGradientDirection direction,
                  const TRect& r);
