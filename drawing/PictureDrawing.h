#pragma once
// Drawing a TGDIPPicture on a glow-button face. A Windows bitmap (BMP) is drawn with the colour
// of its bottom-left pixel left out, as the buttons' bitmaps were made; other formats are drawn
// as they are. An empty picture is not drawn. Running out of memory for the image raises
// "Could not allocate memory for image".

#include "drawing/AdvGDIP.h"
#include "drawing/GDIPicture.h"
#include "platform/Types.h"

class TCanvas;

/// The picture scaled into `r`.
void DrawPictureStretched(TGPGraphics& g, TCanvas& canvas, const TRect& r,
                          const TGDIPPicture& picture);

/// The picture at its natural size with its top-left at `p`.
void DrawPictureAt(TGPGraphics& g, TPoint p, const TGDIPPicture& picture);
