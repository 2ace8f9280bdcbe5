#include "glowbutton/GlowButtonFace.h"

#include <algorithm>
#include <cmath>

#include "drawing/AdvGDIP.h"
#include "drawing/ColorArithmetic.h"
#include "drawing/GlowShapes.h"
#include "drawing/PictureDrawing.h"
#include "platform/Graphics.h"
#include "platform/ImageList.h"

namespace {

constexpr int kStrip = 14;     // the drop-down strip
constexpr int kSplitGlow = 12; // the strip's own glow when the face is split

using L = TButtonLayout;

int RoundEven(float v) {
    return static_cast<int>(std::nearbyint(v)); // the default rounding mode: halves to even
}

// Too small a glyph is taken for none.
bool HasGlyph(const TBitmap* glyph) {
    return glyph && glyph->Width() >= 2 && glyph->Height() >= 2;
}

// A glyph drawn transparent: its bottom-left pixel's colour is left out. Scaled to `dest`
// pixel by pixel, nearest source pixel.
void DrawGlyph(TCanvas& canvas, const TBitmap& glyph, const TRect& dest) {
    const TColor key = glyph.Pixel(0, glyph.Height() - 1);
    for (int y = dest.Top; y < dest.Bottom; ++y)
        for (int x = dest.Left; x < dest.Right; ++x) {
            const TColor c = glyph.Pixel((x - dest.Left) * glyph.Width() / dest.Width(),
                                         (y - dest.Top) * glyph.Height() / dest.Height());
            if (c != key)
                canvas.SetPixel(x, y, c);
        }
}

// Backslash-n (either case) starts a new line, or becomes a space where a line break has no
// room (a fixed picture size).
template <typename S> S BreakLines(const S& text, bool toSpace) {
    S out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'n' || text[i + 1] == 'N')) {
            if (toSpace) {
                out.push_back(' ');
            } else {
                out.push_back('\n');
                out.push_back('\r');
            }
            ++i;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

TColor Darker(TColor c) {
    return AdjustBrightness(c, -10);
}

// The face split in two beside the drop-down strip while the pressed look shows.
void FillSplitGlow(TCanvas& canvas, TGPGraphics& g, const TRect& f, const TGlowColorSet& c,
                   bool bottom, bool overStrip) {
    const TGlowColorSet dark{Darker(c.Color),         Darker(c.ColorTo), Darker(c.ColorMirror),
                             Darker(c.ColorMirrorTo), c.BorderColor,     c.Gradient,
                             c.GradientMirror};
    const TGlowColorSet& faceSet = overStrip ? c : dark;
    TGlowColorSet stripTop = overStrip ? dark : c;
    if (!overStrip)
        stripTop.Gradient = TGDIPGradient::ggRadial;
    const TGlowColorSet& stripMirror = overStrip ? dark : c;

    TRect faceMirror, faceTop, stripTopRect, stripMirrorRect;
    if (bottom) {
        const int k = (f.Bottom - f.Top - kSplitGlow) / 2;
        faceMirror = Rect(f.Left, f.Top + k - 1, f.Right, f.Bottom - kSplitGlow);
        faceTop = Rect(f.Left, f.Top, f.Right, f.Bottom - k - kSplitGlow);
        stripTopRect = Rect(f.Left, f.Bottom - kSplitGlow, f.Right, f.Bottom);
    } else {
        const int half = (f.Bottom - f.Top) / 2;
        faceMirror = Rect(f.Left, f.Top + half - 1, f.Right - kSplitGlow, f.Bottom);
        faceTop = Rect(f.Left, f.Top, f.Right - kSplitGlow, f.Bottom - half);
        stripTopRect = Rect(f.Right - kSplitGlow, f.Top, f.Right, f.Bottom - half);
        stripMirrorRect = Rect(f.Right - kSplitGlow, f.Top + half - 1, f.Right, f.Bottom);
    }
    FillGlowHalf(canvas, g, faceMirror, faceSet.ColorMirror, faceSet.ColorMirrorTo,
                 faceSet.GradientMirror, false);
    FillGlowHalf(canvas, g, faceTop, faceSet.ColorTo, faceSet.Color, faceSet.Gradient, true);
    FillGlowHalf(canvas, g, stripTopRect, stripTop.ColorTo, stripTop.Color, stripTop.Gradient,
                 true);
    if (!bottom)
        FillGlowHalf(canvas, g, stripMirrorRect, stripMirror.ColorMirror, stripMirror.ColorMirrorTo,
                     stripMirror.GradientMirror, false);
}

void DrawFrame(TGPGraphics& g, const TGlowFaceContent& content, TColor color, const TRect& f,
               int radius, bool active) {
    const int w = f.Right - 1, h = f.Bottom - 1;
    switch (content.Position) {
    case TButtonPosition::bpStandalone:
        DrawRoundedFrame(g, color, f.Left, f.Top, w, h, radius);
        break;
    case TButtonPosition::bpLeft:
        DrawGroupLeftFrame(g, color, f.Left, f.Top, w, h, radius);
        break;
    case TButtonPosition::bpMiddle:
        DrawGroupMiddleFrame(g, color, f.Left, f.Top, w, h, radius, active);
        break;
    case TButtonPosition::bpRight:
        DrawGroupRightFrame(g, color, f.Left, f.Top, w, h, radius, active);
        break;
    }
}

bool PictureBeside(L layout) {
    return layout == L::blGlyphLeft || layout == L::blGlyphRight ||
           layout == L::blGlyphLeftAdjusted || layout == L::blGlyphRightAdjusted;
}
bool PictureAbove(L layout) {
    return layout == L::blGlyphTop || layout == L::blGlyphTopAdjusted;
}

struct TPlacement {
    float X = 0, Y = 0, Width = 0, Height = 0; // the caption's layout rectangle
    int Px = 0, Py = 0;                        // the picture's top-left
};

// Where caption and picture go in the content area `a`, by layout. `centredX` is the caption's
// left edge measured centred across the whole width (GDI+ route only).
TPlacement Place(L layout, const TRect& a, int pw, int ph, int W, int H, int S, float centredX,
                 bool gdip) {
    const int w = a.Width(), h = a.Height();
    const int middleX = a.Left + std::max(0, (w - pw) / 2);
    const int middleY = a.Top + std::max(0, (h - ph) / 2);
    TPlacement p;
    switch (layout) {
    case L::blGlyphLeft:
    case L::blGlyphLeftAdjusted:
        p = {float(a.Left + pw + 2), float(a.Top), float(w - pw - 2), float(h), 0, middleY};
        p.Px = std::max(2, gdip ? RoundEven(centredX) - pw / 2 : (w - W - pw) / 2);
        break;
    case L::blGlyphTop:
        p = {float(a.Left), float(a.Top + ph), float(w), float(h - ph - 2), middleX, 0};
        p.Py = std::max(2, a.Top + std::max(0, (h - ph - 2 - H) / 2) - (gdip ? 0 : 4));
        break;
    case L::blGlyphTopAdjusted:
        p = {float(a.Left),     float(a.Top + ph), float(w),
             float(h - ph - 2), middleX,           std::max(2, a.Top)};
        break;
    case L::blGlyphRight:
        p = {2, float(a.Top), float(w - pw - 4), float(h), 0, middleY};
        p.Px = std::min(std::max(0, (w - pw - 4 - W) / 2) + W + 4, w - pw - 2) + S;
        break;
    case L::blGlyphRightAdjusted:
        p = {2, float(a.Top), float(w - pw - 4), float(h), w - pw - 2 + S, middleY};
        break;
    case L::blGlyphBottom:
        p = {float(a.Left), 2, float(w), float(h - ph - 2), middleX, 0};
        p.Py = std::max(0, (h - ph - 2 - H) / 2) + H + (gdip ? 2 : 5);
        if (h - ph < p.Py)
            p.Py = h - ph - 2;
        break;
    case L::blGlyphBottomAdjusted:
        p = {float(a.Left), 2, float(w), float(h - ph - (gdip ? 2 : 4)), middleX, h - ph - 2};
        if (gdip && h - ph >= h / 2 + H + 2)
            p.Py = h / 2 + H + 2;
        break;
    }
    return p;
}

} // namespace

TSize DrawGlowButtonFace(TCanvas& canvas, const TRect& face, const TGlowColorSet& colors,
                         const TGlowFaceContent& content, const TGlowFaceState& state,
                         bool measuring) {
    TGPGraphics g(canvas);
    const bool bottomStrip = content.DropDownPosition == TDropDownPosition::dpBottom;
    const int radius = content.Rounded ? 3 : 0;

    // The drop-down strip takes its edge off the content area; glow and frame cover it all.
    const TRect strip = bottomStrip ? Rect(face.Left, face.Bottom - kStrip, face.Right, face.Bottom)
                                    : Rect(face.Right - kStrip, face.Top, face.Right, face.Bottom);
    TRect area = face;
    if (content.DropDownButton) {
        if (bottomStrip)
            area.Bottom = strip.Top;
        else
            area.Right = strip.Left;
    }

    // Notes put the picture left and the text block beside it.
    const L layout = content.Notes.empty() ? content.Layout : L::blGlyphLeftAdjusted;

    // The glow background.
    if (!state.NoBackground) {
        if (content.DropDownButton && state.PressedLook && content.DropDownSplit)
            FillSplitGlow(canvas, g, face, colors, bottomStrip, state.DropDownState == 2);
        else
            FillGlowFace(canvas, g, face, colors.Color, colors.ColorTo, colors.ColorMirror,
                         colors.ColorMirrorTo, colors.Gradient, colors.GradientMirror);
    }

    // Frame and focus frames.
    g.SetSmoothingMode(SmoothingMode::SmoothingModeAntiAlias);
    if (state.DrawsBorder && !state.NoBackground)
        DrawFrame(g, content, colors.BorderColor, face, radius, state.GroupFrameActive);
    if (state.FocusBorder)
        DrawFocusFrames(g, face.Left, face.Top, face.Right - 1, face.Bottom - 1, radius);

    // The picture's size: glyph, else picture, each replaced by a fixed size; else the image
    // list's image size.
    const bool fixedSize = content.PictureWidth > 0 && content.PictureHeight > 0;
    const bool glyph = HasGlyph(content.Glyph);
    const bool picture = !glyph && content.Picture && !content.Picture->Empty();
    int pw = 0, ph = 0;
    if (glyph) {
        pw = content.Glyph->Width();
        ph = content.Glyph->Height();
    } else if (picture) {
        pw = content.Picture->Width();
        ph = content.Picture->Height();
    }
    if ((glyph || picture) && fixedSize) {
        pw = content.PictureWidth;
        ph = content.PictureHeight;
    }
    const bool image = !glyph && !picture && content.Images && content.ImageIndex >= 0;
    if (image) {
        pw = content.Images->Width();
        ph = content.Images->Height();
    }
    const int drawnWidth = pw, drawnHeight = ph;

    const bool hasCaption = !content.Caption.empty() || !content.CaptionWide.empty();
    const int S = content.Spacing;
    if (hasCaption) {
        if (PictureBeside(layout) && pw > 0)
            pw += S;
        if (PictureAbove(layout) && ph > 0)
            ph += S;
    }
    TSize size{pw, ph};

    // Measuring the caption and the notes.
    const TCaptionStyle style{content.Font, state.Enabled,    content.WordWrap,
                              layout,       content.Trimming, content.AntiAlias};
    const TCaptionStyle notesStyle{content.NotesFont, state.Enabled,    content.WordWrap, layout,
                                   content.Trimming,  content.AntiAlias};
    const bool gdip = hasCaption && UsesGdipText(content.AntiAlias, *content.Font);
    std::u16string wide;
    std::string bytes;
    int W = 0, H = 0, NW = 0, NH = 0;
    TRectF bounds;
    float centredX = 0;
    if (hasCaption) {
        if (!content.Caption.empty()) {
            bytes = BreakLines(content.Caption, fixedSize);
            wide = CaptionUtf16(bytes);
        } else {
            wide = BreakLines(content.CaptionWide, fixedSize);
            bytes = CaptionBytes(wide);
        }
        if (gdip) {
            const TRectF box = measuring ? TRectF{float(area.Left), float(area.Top), 4096, 4096}
                                         : TRectF{float(area.Left), float(area.Top),
                                                  float(area.Width()), float(area.Height())};
            bounds = MeasureGdipText(g, wide, style, box);
            W = RoundEven(bounds.Width);
            H = RoundEven(bounds.Height);
            TCaptionStyle centred = style;
            centred.Layout = L::blGlyphLeft;
            centredX = MeasureGdipText(g, wide, centred, box).X;
            if (!content.Notes.empty()) {
                const TRectF n = MeasureGdipText(g, CaptionUtf16(content.Notes), notesStyle, box);
                NW = RoundEven(n.Width);
                NH = RoundEven(n.Height);
            }
        } else {
            const TSize t = MeasureGdiText(canvas, bytes, style);
            W = t.cx;
            H = t.cy;
            if (!content.Notes.empty()) {
                const TSize n = MeasureGdiNotes(canvas, content.Notes, notesStyle);
                NW = n.cx;
                NH = n.cy;
            }
        }
        if (PictureBeside(layout))
            size = {std::max(W, NW) + pw + S, std::max(H + S + NH, ph + S)};
        else
            size = {std::max(W + S, pw + S), H + ph + S};
    }
    if (measuring)
        return size;

    // The caption and the notes.
    const TPlacement at = Place(layout, area, pw, ph, W, H, S, centredX, gdip);
    int captionBottom = 0;
    if (hasCaption) {
        float y = at.Y, height = at.Height;
        if (!content.Notes.empty()) {
            // One block, centred as a whole: each text gets a box of exactly its height.
            y = gdip ? at.Y + (at.Height - H - NH) / 2 : float((at.Height - H - NH) / 2);
            height = float(H);
        }
        if (gdip) {
            DrawGdipText(g, wide, style, {at.X, y, at.Width, height});
            if (!content.Notes.empty())
                DrawGdipText(g, CaptionUtf16(content.Notes), notesStyle,
                             {at.X, y + H, at.Width, float(NH)});
            captionBottom = RoundEven(bounds.Y + bounds.Height);
        } else {
            // With notes the block's top is set here, so neither text is centred again.
            TCaptionStyle placed = style, placedNotes = notesStyle;
            placed.VerticalCentring = placedNotes.VerticalCentring = content.Notes.empty();
            const int left = RoundEven(at.X), top = RoundEven(y);
            DrawGdiText(canvas, bytes, placed,
                        Rect(left, top, left + RoundEven(at.Width), top + RoundEven(height)),
                        at.Py + drawnHeight);
            if (!content.Notes.empty())
                DrawGdiText(canvas, content.Notes, placedNotes,
                            Rect(left, top + H, left + RoundEven(at.Width), top + H + NH));
            captionBottom = (area.Height() + H) / 2;
        }
    }

    // The picture, beside the caption or centred without one.
    if (glyph || picture || image) {
        TPoint p{at.Px, at.Py};
        if (!hasCaption) {
            TRect box = area;
            if (content.DropDownButton)
                (bottomStrip ? box.Bottom : box.Right) -= 8;
            p = {box.Left + std::max(0, (box.Width() - drawnWidth) / 2),
                 box.Top + std::max(0, (box.Height() - drawnHeight) / 2)};
        }
        const TRect dest = Rect(p.X, p.Y, p.X + drawnWidth, p.Y + drawnHeight);
        if (glyph)
            DrawGlyph(canvas, *content.Glyph, dest);
        else if (image)
            content.Images->Draw(canvas, p.X, p.Y, content.ImageIndex, content.ImagesEnabled);
        else if (fixedSize)
            DrawPictureStretched(g, canvas, dest, *content.Picture);
        else
            DrawPictureAt(g, p, *content.Picture);
    }

    // The drop-down part: the split line and the arrow.
    if (content.DropDownButton) {
        if (state.PressedLook && content.DropDownSplit) {
            canvas.Pen().Color = colors.BorderColor;
            canvas.Pen().Width = 1;
            canvas.Pen().Style = TPenStyle::psSolid;
            canvas.MoveTo(strip.Left, strip.Top);
            if (bottomStrip)
                canvas.LineTo(strip.Right, strip.Top);
            else
                canvas.LineTo(strip.Left, strip.Bottom);
        }
        const int x = strip.Left + (strip.Width() - 5) / 2;
        const int y = bottomStrip || !hasCaption ? strip.Top + (strip.Height() - 3) / 2 + 1
                                                 : captionBottom - 8;
        DrawDropDownArrow(canvas, {x, y}, state.Enabled ? clBlack : clGray,
                          content.DropDownDownward, clWhite);
    }
    return size;
}
