#pragma once
// Painting laid-out markup: each box in its order, text in transparent mode bottom-aligned on
// one line, shadows first, error marks after. The canvas's font, pen and brush are as they
// were when painting returns.

#include "htmllabel/MarkupLayout.h"
#include "platform/Graphics.h"
#include "platform/Types.h"

struct THTMLPaintOptions {
    TColor ShadowColor = clGray;
    int ShadowOffset = 2;
};

void PaintHTML(TCanvas& canvas, const THTMLLayout& layout, const THTMLPaintOptions& options = {});

/// `R` in `Steps` bands (0 counts as 1) from `FromColor` to `ToColor`, across (Horizontal) or
/// down; each band's colour is rounded per channel and it overlaps the next by a pixel. The
/// brush is left clear.
void DrawGradient(TCanvas& Canvas, TColor FromColor, TColor ToColor, bool Horizontal,
                  const TRect& R, int Steps);

/// The red zigzag under a run marked as an error, from `left` to `right` about row `line`.
void DrawErrorMark(TCanvas& canvas, int left, int right, int line);
