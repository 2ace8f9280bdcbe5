#include "drawing/AdvGDIP.h"

#include "platform/Graphics.h"

// --- Start-up and shutdown -------------------------------------------------------------------

namespace {

// The 2D layer under the wrappers needs no start of its own (the application object brings
// up what it uses); the flag keeps the program's order visible and testable: started at
// program start, stopped at its end, and started on demand by a wrapper made in between.
bool started = false;

} // namespace

void GdiplusStartup() {
    started = true;
}

void GdiplusShutdown() {
    started = false;
}

bool GdiplusStarted() {
    return started;
}

TGdiplusBase::TGdiplusBase() {
    // An object asked for before start-up starts the layer and is made after all.
    if (!started)
        GdiplusStartup();
}

// --- Paths, brushes, pens --------------------------------------------------------------------

TGPGraphicsPath::TGPGraphicsPath() {
    SetCreationStatus(TStatus::Ok);
}

TStatus TGPGraphicsPath::AddLine(float x1, float y1, float x2, float y2) {
    path_.AddLine(x1, y1, x2, y2);
    return SetStatus(TStatus::Ok);
}

TStatus TGPGraphicsPath::AddArc(float x, float y, float width, float height, float startAngle,
                                float sweepAngle) {
    if (width <= 0 || height <= 0)
        return SetStatus(TStatus::InvalidParameter);
    path_.AddArc(x, y, width, height, startAngle, sweepAngle);
    return SetStatus(TStatus::Ok);
}

TStatus TGPGraphicsPath::AddEllipse(float x, float y, float width, float height) {
    path_.AddEllipse(x, y, width, height);
    return SetStatus(TStatus::Ok);
}

TStatus TGPGraphicsPath::CloseFigure() {
    path_.CloseFigure();
    return SetStatus(TStatus::Ok);
}

TGPSolidBrush::TGPSolidBrush(TARGB color) {
    brush_ = std::make_unique<TBrush2D>(TBrush2D::Solid(color));
    SetCreationStatus(TStatus::Ok);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TRectF& rect, TARGB color1, TARGB color2,
                                               LinearGradientMode mode) {
    // GDI+ refuses a rectangle without area.
    if (rect.Width <= 0 || rect.Height <= 0) {
        SetCreationStatus(TStatus::OutOfMemory);
        return;
    }
    brush_ = std::make_unique<TBrush2D>(
        TBrush2D::Linear(rect, color1, color2, static_cast<TLinearGradientMode>(mode)));
    SetCreationStatus(TStatus::Ok);
}

TGPPathGradientBrush::TGPPathGradientBrush(const TGPGraphicsPath& path) {
    if (path.Native().PointCount() == 0) {
        SetCreationStatus(TStatus::OutOfMemory);
        return;
    }
    brush_ = std::make_unique<TBrush2D>(TBrush2D::PathGradient(path.Native()));
    SetCreationStatus(TStatus::Ok);
}

TStatus TGPPathGradientBrush::SetCenterPoint(TPoint point) {
    if (!brush_)
        return SetStatus(TStatus::InvalidParameter);
    return SetStatus(Brush().SetCenterPoint(point.X, point.Y));
}

TStatus TGPPathGradientBrush::SetCenterColor(TARGB color) {
    if (!brush_)
        return SetStatus(TStatus::InvalidParameter);
    return SetStatus(Brush().SetCenterColor(color));
}

int TGPPathGradientBrush::GetPointCount() {
    if (!brush_) {
        SetStatus(TStatus::InvalidParameter);
        return 0;
    }
    return Brush().PointCount();
}

TStatus TGPPathGradientBrush::SetSurroundColors(const TARGB* colors, int count) {
    const int points = GetPointCount();
    if (!colors || count <= 0 || points == 0 || points < count)
        return SetStatus(TStatus::InvalidParameter);
    return SetStatus(Brush().SetSurroundColors(
        std::span<const std::uint32_t>(colors, static_cast<std::size_t>(count))));
}

TGPPen::TGPPen(TARGB color, float width) {
    pen_.Color = color;
    pen_.Width = width;
    SetCreationStatus(width >= 0 ? TStatus::Ok : TStatus::InvalidParameter);
}

TStatus TGPPen::SetDashStyle(DashStyle style) {
    pen_.DashStyle = static_cast<TDashStyle>(style);
    return SetStatus(TStatus::Ok);
}

// --- Fonts and string formats ----------------------------------------------------------------

TGPFontFamily::TGPFontFamily(std::string_view name) : name_(name) {
    SetCreationStatus(TFont2D::FindFamily(name));
}

TGPFont::TGPFont(const TGPFontFamily& family, float emSize, int style, TUnit unit) {
    if (family.GetLastStatus() != TStatus::Ok || emSize <= 0 ||
        (unit != TUnit::UnitPoint && unit != TUnit::UnitPixel)) {
        SetCreationStatus(TStatus::InvalidParameter);
        return;
    }
    const float points = unit == TUnit::UnitPixel ? emSize * 72.0f / 96.0f : emSize;
    font_ = std::make_unique<TFont2D>(family.Name(), points, style);
    SetCreationStatus(TStatus::Ok);
}

TGPStringFormat::TGPStringFormat(int formatFlags, int /*language*/) {
    format_.NoWrap = (formatFlags & StringFormatFlagsNoWrap) != 0;
    SetCreationStatus(TStatus::Ok);
}

TStatus TGPStringFormat::SetAlignment(StringAlignment align) {
    format_.Align = static_cast<TStringAlignment>(align);
    return SetStatus(TStatus::Ok);
}

TStatus TGPStringFormat::SetLineAlignment(StringAlignment align) {
    format_.LineAlign = static_cast<TStringAlignment>(align);
    return SetStatus(TStatus::Ok);
}

TStatus TGPStringFormat::SetTrimming(StringTrimming trimming) {
    format_.Trimming = static_cast<TStringTrimming>(trimming);
    return SetStatus(TStatus::Ok);
}

TStatus TGPStringFormat::SetHotkeyPrefix(HotkeyPrefix prefix) {
    format_.HotkeyPrefix = static_cast<THotkeyPrefix>(prefix);
    return SetStatus(TStatus::Ok);
}

// --- Images ----------------------------------------------------------------------------------

TGPImage::TGPImage(std::span<const std::uint8_t> stream, bool /*useEmbeddedColorManagement*/) {
    SetCreationStatus(TImage2D::Decode(stream, image_));
}

unsigned TGPImage::GetWidth() {
    if (image_.IsEmpty())
        SetStatus(TStatus::InvalidParameter);
    return static_cast<unsigned>(image_.Width());
}

unsigned TGPImage::GetHeight() {
    if (image_.IsEmpty())
        SetStatus(TStatus::InvalidParameter);
    return static_cast<unsigned>(image_.Height());
}

TImageFormat TGPImage::GetRawFormat() {
    if (image_.IsEmpty())
        SetStatus(TStatus::InvalidParameter);
    return image_.Format();
}

TGPBitmap::TGPBitmap(std::span<const std::uint8_t> stream, bool useEmbeddedColorManagement)
    : TGPImage(stream, useEmbeddedColorManagement) {}

TGPBitmap::TGPBitmap(int width, int height, TPixelFormat /*format*/) {
    SetCreationStatus(TImage2D::Create(width, height, image_));
}

TStatus TGPBitmap::GetPixel(int x, int y, TARGB& color) {
    return SetStatus(image_.Pixel(x, y, color));
}

TStatus TGPBitmap::SetPixel(int x, int y, TARGB color) {
    return SetStatus(image_.SetPixel(x, y, color));
}

TStatus TGPBitmap::RotateFlip(TRotateFlip type) {
    return SetStatus(image_.RotateFlip(type));
}

TGPImageAttributes::TGPImageAttributes() {
    SetCreationStatus(TStatus::Ok);
}

TStatus TGPImageAttributes::SetColorKey(TARGB low, TARGB high, ColorAdjustType /*type*/) {
    keyed_ = true;
    low_ = low;
    high_ = high;
    return SetStatus(TStatus::Ok);
}

TStatus TGPImageAttributes::ClearColorKey() {
    keyed_ = false;
    return SetStatus(TStatus::Ok);
}

int RawFormatCode(TGPImage& image) {
    return static_cast<int>(image.GetRawFormat());
}

// --- Graphics --------------------------------------------------------------------------------

TGPGraphics::TGPGraphics(TCanvas& canvas)
    : canvas_(canvas), graphics_(std::make_unique<TGraphics2D>(canvas)) {
    SetCreationStatus(graphics_->Status());
}

TGPGraphics::~TGPGraphics() = default;

TStatus TGPGraphics::SetSmoothingMode(SmoothingMode mode) {
    graphics_->SetSmoothing(mode == SmoothingMode::SmoothingModeAntiAlias ||
                            mode == SmoothingMode::SmoothingModeHighQuality);
    return SetStatus(graphics_->Status());
}

TStatus TGPGraphics::SetTextRenderingHint(TextRenderingHint hint) {
    graphics_->SetTextRendering(static_cast<TTextRendering>(hint));
    return SetStatus(graphics_->Status());
}

TStatus TGPGraphics::DrawPath(const TGPPen* pen, const TGPGraphicsPath* path) {
    if (!pen || !path)
        return SetStatus(TStatus::InvalidParameter);
    return SetStatus(graphics_->DrawPath(pen->Native(), path->Native()));
}

TStatus TGPGraphics::FillRectangle(const TGPBrush* brush, float x, float y, float width,
                                   float height) {
    if (!brush || !brush->Native())
        return SetStatus(TStatus::InvalidParameter);
    return SetStatus(graphics_->FillRectangle(*brush->Native(), {x, y, width, height}));
}

TStatus TGPGraphics::DrawRectangle(const TGPPen* pen, float x, float y, float width, float height) {
    if (!pen)
        return SetStatus(TStatus::InvalidParameter);
    return SetStatus(graphics_->DrawRectangle(pen->Native(), {x, y, width, height}));
}

TStatus TGPGraphics::MeasureString(std::u16string_view text, const TGPFont* font,
                                   const TRectF& layout, const TGPStringFormat* format,
                                   TRectF& bounds) {
    if (!font || !font->Native())
        return SetStatus(TStatus::InvalidParameter);
    const TStringFormat2D plain;
    return SetStatus(graphics_->MeasureString(text, *font->Native(), layout,
                                              format ? format->Native() : plain, bounds));
}

TStatus TGPGraphics::DrawString(std::u16string_view text, const TGPFont* font, const TRectF& layout,
                                const TGPStringFormat* format, const TGPBrush* brush) {
    if (!font || !font->Native() || !brush || !brush->Native())
        return SetStatus(TStatus::InvalidParameter);
    const TStringFormat2D plain;
    return SetStatus(graphics_->DrawString(text, *font->Native(), layout,
                                           format ? format->Native() : plain, *brush->Native()));
}

TStatus TGPGraphics::DrawImage(TGPImage* image, int x, int y, int width, int height) {
    if (!image)
        return SetStatus(TStatus::InvalidParameter);
    return SetStatus(graphics_->DrawImage(image->Native(),
                                          {static_cast<float>(x), static_cast<float>(y),
                                           static_cast<float>(width), static_cast<float>(height)}));
}

TStatus TGPGraphics::DrawImage(TGPImage* image, const TRectF& dest, float srcX, float srcY,
                               float srcWidth, float srcHeight, TUnit srcUnit,
                               const TGPImageAttributes* attributes) {
    if (!image || srcUnit != TUnit::UnitPixel)
        return SetStatus(TStatus::InvalidParameter);
    const bool keyed = attributes && attributes->HasColorKey();
    return SetStatus(graphics_->DrawImage(image->Native(), dest, {srcX, srcY, srcWidth, srcHeight},
                                          keyed, keyed ? attributes->KeyLow() : 0,
                                          keyed ? attributes->KeyHigh() : 0));
}
