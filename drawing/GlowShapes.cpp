#include "drawing/GlowShapes.h"

#include "drawing/ColorArithmetic.h"
#include "platform/Graphics.h"

namespace {

float F(int v) {
    return static_cast<float>(v);
}

LinearGradientMode LinearModeOf(TGDIPGradient kind) {
    switch (kind) {
    case TGDIPGradient::ggDiagonalForward:
        return LinearGradientMode::LinearGradientModeForwardDiagonal;
    case TGDIPGradient::ggDiagonalBackward:
        return LinearGradientMode::LinearGradientModeBackwardDiagonal;
    default:
        return LinearGradientMode::LinearGradientModeVertical;
    }
}

// The corners and edges of a rounded outline, d = 2r, in the order of one closed figure.
void AddRoundedFigure(TGPGraphicsPath& path, int x, int y, int w, int h, int r) {
    const int d = 2 * r;
    path.AddLine(F(x + r), F(y), F(x + w - d), F(y));
    path.AddArc(F(x + w - d), F(y), F(d), F(d), 270, 90);
    path.AddLine(F(x + w), F(y + r), F(x + w), F(y + h - d));
    path.AddArc(F(x + w - d), F(y + h - d), F(d), F(d), 0, 90);
    path.AddLine(F(x + w - d), F(y + h), F(x + r), F(y + h));
    path.AddArc(F(x), F(y + h - d), F(d), F(d), 90, 90);
    path.AddLine(F(x), F(y + h - d), F(x), F(y + r));
    path.AddArc(F(x), F(y), F(d), F(d), 180, 90);
    path.CloseFigure();
}

void DrawLine(TGPGraphics& g, TColor color, int x1, int y1, int x2, int y2) {
    TGPPen pen(ToARGB(color), 1.0f);
    TGPGraphicsPath path;
    path.AddLine(F(x1), F(y1), F(x2), F(y2));
    g.DrawPath(&pen, &path);
}

TColor DarkerEdge(TColor color) {
    return AdjustBrightness(color, -5);
}

TColor LightSeparator() {
    return AdjustBrightness(clWhite, -10);
}

// The left edge of an inner or last button of a group.
void DrawGroupLeftEdge(TGPGraphics& g, TColor color, int x, int y, int h, bool active) {
    if (active)
        DrawLine(g, DarkerEdge(color), x, y, x, y + h);
    else
        DrawLine(g, LightSeparator(), x, y + 2, x, y + h - 2);
}

} // namespace

void FillGlowHalf(TCanvas& /*canvas*/, TGPGraphics& g, const TRect& r, TColor a, TColor b,
                  TGDIPGradient kind, bool top) {
    const int w = r.Right - r.Left;
    const int hh = r.Bottom - r.Top;
    // Solid ground over the oversized rectangle.
    {
        TGPSolidBrush ground(ToARGB(top ? b : a));
        g.FillRectangle(&ground, F(r.Left), F(r.Top), F(r.Right), F(r.Bottom));
    }
    // The ellipse of the glow: centred two pixels below the top part's top edge.
    TGPGraphicsPath ellipse;
    if (top)
        ellipse.AddEllipse(F(r.Left), F(r.Top - hh / 2 + 2), F(r.Right), F(r.Bottom));
    else
        ellipse.AddEllipse(F(r.Left), F(r.Top), F(r.Right), F(r.Bottom));
    // The glow brush by kind, over the same oversized rectangle.
    if (kind == TGDIPGradient::ggRadial) {
        TGPPathGradientBrush brush(ellipse);
        brush.SetCenterPoint({r.Left + w / 2, top ? r.Top : r.Bottom});
        brush.SetCenterColor(ToARGB(top ? a : b));
        const TARGB surround = ToARGB(top ? b : a);
        brush.SetSurroundColors(&surround, 1);
        g.FillRectangle(&brush, F(r.Left), F(r.Top), F(r.Right), F(r.Bottom));
    } else {
        TGPLinearGradientBrush brush({F(r.Left), F(r.Top), F(w), F(hh)}, ToARGB(b), ToARGB(a),
                                     LinearModeOf(kind));
        g.FillRectangle(&brush, F(r.Left), F(r.Top), F(r.Right), F(r.Bottom));
    }
}

void FillGlowFace(TCanvas& canvas, TGPGraphics& g, const TRect& face, TColor color, TColor colorTo,
                  TColor mirrorColor, TColor mirrorColorTo, TGDIPGradient gradient,
                  TGDIPGradient mirrorGradient) {
    const int half = (face.Bottom - face.Top) / 2;
    // The mirror part first, from one row above the middle.
    FillGlowHalf(canvas, g, Rect(face.Left, face.Top + half - 1, face.Right, face.Bottom),
                 mirrorColor, mirrorColorTo, mirrorGradient, false);
    // The top part over it.
    FillGlowHalf(canvas, g, Rect(face.Left, face.Top, face.Right, face.Bottom - half), colorTo,
                 color, gradient, true);
}

void DrawRoundedFrame(TGPGraphics& g, TColor color, int x, int y, int w, int h, int radius) {
    TGPPen pen(ToARGB(color), 1.0f);
    if (radius == 0) {
        g.DrawRectangle(&pen, F(x), F(y), F(w), F(h));
        return;
    }
    TGPGraphicsPath path;
    AddRoundedFigure(path, x, y, w, h, radius);
    g.DrawPath(&pen, &path);
}

void DrawDottedRoundedFrame(TGPGraphics& g, TColor color, int x, int y, int w, int h, int radius) {
    TGPPen pen(ToARGB(color), 1.0f);
    pen.SetDashStyle(DashStyle::DashStyleDot);
    TGPGraphicsPath path;
    AddRoundedFigure(path, x, y, w, h, radius);
    g.DrawPath(&pen, &path);
}

void DrawGroupLeftFrame(TGPGraphics& g, TColor color, int x, int y, int w, int h, int radius) {
    const int r = radius, d = 2 * radius;
    {
        TGPPen pen(ToARGB(color), 1.0f);
        TGPGraphicsPath path;
        path.AddLine(F(x + w), F(y + h), F(x + r), F(y + h));
        path.AddArc(F(x), F(y + h - d), F(d), F(d), 90, 90);
        path.AddLine(F(x), F(y + h - d), F(x), F(y + r));
        path.AddArc(F(x), F(y), F(d), F(d), 180, 90);
        path.AddLine(F(x + r), F(y), F(x + w), F(y));
        g.DrawPath(&pen, &path);
    }
    DrawLine(g, DarkerEdge(color), x + w, y, x + w, y + h);
}

void DrawGroupMiddleFrame(TGPGraphics& g, TColor color, int x, int y, int w, int h, int /*radius*/,
                          bool active) {
    DrawLine(g, color, x - 1, y + h, x + w, y + h);
    DrawLine(g, color, x - 1, y, x + w, y);
    DrawLine(g, DarkerEdge(color), x + w, y, x + w, y + h);
    DrawGroupLeftEdge(g, color, x, y, h, active);
}

void DrawGroupRightFrame(TGPGraphics& g, TColor color, int x, int y, int w, int h, int radius,
                         bool active) {
    const int r = radius, d = 2 * radius;
    {
        TGPPen pen(ToARGB(color), 1.0f);
        TGPGraphicsPath path;
        path.AddLine(F(x), F(y), F(x + w - d), F(y));
        path.AddArc(F(x + w - d), F(y), F(d), F(d), 270, 90);
        path.AddLine(F(x + w), F(y + r), F(x + w), F(y + h - d));
        path.AddArc(F(x + w - d), F(y + h - d), F(d), F(d), 0, 90);
        path.AddLine(F(x + w), F(y + h), F(x), F(y + h));
        g.DrawPath(&pen, &path);
    }
    DrawGroupLeftEdge(g, color, x, y, h, active);
}

void DrawFocusFrames(TGPGraphics& g, int x, int y, int w, int h, int radius) {
    DrawRoundedFrame(g, 0xE4AD89, x + 1, y + 1, w - 2, h - 2, radius);
    DrawDottedRoundedFrame(g, clGray, x + 2, y + 2, w - 4, h - 4, radius);
}

void DrawDropDownArrow(TCanvas& canvas, TPoint p, TColor color, bool downward, TColor highlight) {
    // Along the arrow's base (a row when it points down, a column when right) and across it.
    auto at = [&](int along, int across) {
        return downward ? TPoint{p.X + along, p.Y + across} : TPoint{p.X + across, p.Y + along};
    };
    auto run = [&](int from, int to, int across) { // from..to inclusive; LineTo leaves its end
        const TPoint a = at(from, across), b = at(to + 1, across);
        canvas.MoveTo(a.X, a.Y);
        canvas.LineTo(b.X, b.Y);
    };
    canvas.Pen().Color = color;
    run(0, 4, 0);
    run(1, 3, 1);
    const TPoint tip = at(2, 2);
    canvas.SetPixel(tip.X, tip.Y, color);
    for (const TPoint hp : {at(0, 1), at(4, 1), at(1, 2), at(3, 2), at(2, 3)})
        canvas.SetPixel(hp.X, hp.Y, highlight);
}
