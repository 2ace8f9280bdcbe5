#pragma once
// The shapes of a glow-button face: the two-part glow fill, rounded and grouped frames, the
// focus frames and the drop-down arrow. Frames take x, y, w, h with the outline running from x
// to x + w and y to y + h; the button passes its face's width and height less one, so the
// outline lies on the last pixel column and row. Every pen is 1.0 wide.

#include "drawing/AdvGDIP.h"
#include "platform/Types.h"

class TCanvas;

/// One part of the glow face in `r`: a solid ground in `b` (top part) or `a` (mirror part),
/// then an ellipse-shaped radial glow or a linear ramp from `b` at the part's top to `a` at its
/// bottom. The ground and the glow fill the rectangle from r's top-left with r's right and
/// bottom as width and height, which covers r for a face at the origin (the button's case).
void FillGlowHalf(TCanvas& canvas, TGPGraphics& g, const TRect& r, TColor a, TColor b,
                  TGDIPGradient kind, bool top);

/// The two parts of a face: the mirror part over the lower half and one row above it first,
/// then the top part, which wins the two rows they share. A face 27 high shows the top part
/// in rows 0-13 and the mirror part in rows 14-26.
void FillGlowFace(TCanvas& canvas, TGPGraphics& g, const TRect& face, TColor color, TColor colorTo,
                  TColor mirrorColor, TColor mirrorColorTo, TGDIPGradient gradient,
                  TGDIPGradient mirrorGradient);

/// A closed outline with quarter-circle corners of `radius`; a plain rectangle at radius 0.
void DrawRoundedFrame(TGPGraphics& g, TColor color, int x, int y, int w, int h, int radius);
/// The same outline with a dotted pen; at radius 0 still one closed four-sided figure.
void DrawDottedRoundedFrame(TGPGraphics& g, TColor color, int x, int y, int w, int h, int radius);

/// The first button of a group: rounded on the left, its right edge a shade darker.
void DrawGroupLeftFrame(TGPGraphics& g, TColor color, int x, int y, int w, int h, int radius);
/// An inner button: straight edges; the left edge darker when active, else a light separator
/// two pixels short at each end. The radius is not used.
void DrawGroupMiddleFrame(TGPGraphics& g, TColor color, int x, int y, int w, int h, int radius,
                          bool active);
/// The last button: rounded on the right, its left edge as an inner button's.
void DrawGroupRightFrame(TGPGraphics& g, TColor color, int x, int y, int w, int h, int radius,
                         bool active);

/// The focus shown as a border: a solid 0xE4AD89 frame one pixel in, a dotted grey frame two
/// pixels in, both with the corner radius. x, y, w, h as for the face's frame.
void DrawFocusFrames(TGPGraphics& g, int x, int y, int w, int h, int radius);

/// The 5-pixel arrow of a drop-down part at `p` in `color` with `highlight` pixels beside it,
/// pointing down, or right when `downward` is false. Drawn with the canvas pen and pixels.
void DrawDropDownArrow(TCanvas& canvas, TPoint p, TColor color, bool downward, TColor highlight);
