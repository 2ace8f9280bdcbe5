#include "htmllabel/MarkupPaint.h"

#include <algorithm>

#include "drawing/Gradient.h"
#include "htmllabel/HTMLPicture.h"
#include "platform/ImageList.h"

namespace {

constexpr TColor kErrorMarkColor = 0x0000FF;
constexpr TColor kRuleColor = 0x000000;
constexpr int kBackgroundSteps = 64;

// Tabs expand to the stops the run was measured with, so what is drawn is what was laid out.
void DrawRunText(TCanvas& canvas, const std::string& text, const TRect& bounds, bool literal) {
    // Room on the right for an italic overhang; the text keeps its left edge.
    TRect r = bounds;
    r.Right += bounds.Height();
    canvas.DrawText(
        text, r, DT_SINGLELINE | DT_BOTTOM | DT_LEFT | DT_EXPANDTABS | (literal ? DT_NOPREFIX : 0));
}

void PaintText(TCanvas& canvas, const THTMLBox& box, bool literal,
               const THTMLPaintOptions& options) {
    if (box.Background != clNone) {
        canvas.Brush().Style = TBrushStyle::bsSolid;
        canvas.Brush().Color = box.Background;
        canvas.FillRect(box.Bounds);
    }
    canvas.Brush().Style = TBrushStyle::bsClear;
    box.Font.ApplyTo(canvas.Font());
    if (box.Shadow) {
        canvas.Font().SetColor(options.ShadowColor);
        TRect shadow = box.Bounds;
        shadow.Left += options.ShadowOffset;
        shadow.Right += options.ShadowOffset;
        shadow.Top += options.ShadowOffset;
        shadow.Bottom += options.ShadowOffset;
        DrawRunText(canvas, box.Text, shadow, literal);
        canvas.Font().SetColor(box.Font.Color);
    }
    DrawRunText(canvas, box.Text, box.Bounds, literal);
    if (box.ErrorMark)
        DrawErrorMark(canvas, box.Bounds.Left, box.Bounds.Right, box.ErrorMarkLine);
}

void PaintTiles(TCanvas& canvas, const THTMLBox& box) {
    const int w = box.Picture->DisplayWidth();
    const int h = box.Picture->DisplayHeight();
    if (w <= 0 || h <= 0)
        return;
    canvas.SetClipRect(box.Bounds);
    for (int y = box.Bounds.Top; y < box.Bounds.Bottom; y += h)
        for (int x = box.Bounds.Left; x < box.Bounds.Right; x += w)
            box.Picture->DrawInto(canvas, Bounds(x, y, w, h), false);
    canvas.ResetClip();
}

void PaintBox(TCanvas& canvas, const THTMLLayout& layout, const THTMLBox& box,
              const THTMLPaintOptions& options) {
    switch (box.Kind) {
    case THTMLBoxKind::Text:
        PaintText(canvas, box, layout.Source.LiteralAmpersands, options);
        break;
    case THTMLBoxKind::Bullet:
        canvas.Brush().Style = TBrushStyle::bsClear;
        box.Font.ApplyTo(canvas.Font());
        DrawRunText(canvas, box.Text, box.Bounds, true);
        break;
    case THTMLBoxKind::SquareBullet:
        canvas.Brush().Style = TBrushStyle::bsSolid;
        canvas.Brush().Color = box.Color;
        canvas.FillRect(box.Bounds);
        break;
    case THTMLBoxKind::CircleBullet:
        canvas.Brush().Style = TBrushStyle::bsSolid;
        canvas.Brush().Color = box.Color;
        canvas.Pen().Style = TPenStyle::psSolid;
        canvas.Pen().Color = box.Color;
        canvas.Ellipse(box.Bounds);
        break;
    case THTMLBoxKind::Picture:
        box.Picture->DrawInto(canvas, box.Bounds, box.Stretch);
        break;
    case THTMLBoxKind::ListImage:
        if (layout.Images)
            layout.Images->Draw(canvas, box.Bounds.Left, box.Bounds.Top, box.ImageIndex);
        break;
    case THTMLBoxKind::TiledPicture:
        PaintTiles(canvas, box);
        break;
    case THTMLBoxKind::Rule:
        canvas.Pen().Style = TPenStyle::psSolid;
        canvas.Pen().Width = 1;
        canvas.Pen().Color = kRuleColor;
        canvas.MoveTo(box.Bounds.Left, box.Bounds.Top);
        canvas.LineTo(box.Bounds.Right, box.Bounds.Top);
        break;
    case THTMLBoxKind::Fill:
        if (box.Color == clNone)
            break;
        canvas.Brush().Style = TBrushStyle::bsSolid;
        canvas.Brush().Color = box.Color;
        canvas.FillRect(box.Bounds);
        break;
    case THTMLBoxKind::Gradient:
        DrawGradient(canvas, box.Color, box.ColorTo, box.Horizontal, box.Bounds, kBackgroundSteps);
        break;
    }
}

} // namespace

void PaintHTML(TCanvas& canvas, const THTMLLayout& layout, const THTMLPaintOptions& options) {
    const TMarkupFont font = TMarkupFont::Of(canvas.Font());
    const TBrush brush = canvas.Brush();
    const TPen pen = canvas.Pen();
    for (const THTMLBox& box : layout.Boxes)
        PaintBox(canvas, layout, box, options);
    font.ApplyTo(canvas.Font());
    canvas.Brush() = brush;
    canvas.Pen() = pen;
}

void DrawGradient(TCanvas& Canvas, TColor FromColor, TColor ToColor, bool Horizontal,
                  const TRect& R, int Steps) {
    DrawGradient(Canvas, FromColor, ToColor, Steps,
                 Horizontal ? TGradientDirection::gdHorizontal : TGradientDirection::gdVertical, R);
    Canvas.Brush().Style = TBrushStyle::bsClear;
}

void DrawErrorMark(TCanvas& canvas, int left, int right, int line) {
    canvas.Pen().Style = TPenStyle::psSolid;
    canvas.Pen().Width = 1;
    canvas.Pen().Color = kErrorMarkColor;
    int x = left - (left % 2 + 2) % 2; // down to even, also left of 0
    bool below = x % 4 == 0;
    canvas.MoveTo(x, below ? line + 1 : line - 1);
    while (x < right) {
        x += 2;
        below = !below;
        canvas.LineTo(x, below ? line + 1 : line - 1);
    }
}
