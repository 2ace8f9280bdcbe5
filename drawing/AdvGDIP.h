#pragma once
// Thin wrappers over the 2D graphics layer, one class per object kind, in the shape of the
// GDI+ flat interface the controls were written against. Each wrapper owns its object (the
// handle) and keeps the last failing status: creation stores its status whatever it is, and
// every later call stores a status only when it is not Ok, so a success never hides an earlier
// failure. No wrapper call throws. Wrappers live within one paint call.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "drawing/ColorArithmetic.h"
#include "platform/Graphics2D.h"
#include "platform/Types.h"

class TCanvas;

using TStatus = TGraphicsStatus;

enum class TAntiAlias { aaNone, aaClearType, aaAntiAlias };

enum class StringTrimming {
    StringTrimmingNone,
    StringTrimmingCharacter,
    StringTrimmingWord,
    StringTrimmingEllipsisCharacter,
    StringTrimmingEllipsisWord,
    StringTrimmingEllipsisPath,
};

enum class TGDIPGradient { ggRadial, ggVertical, ggDiagonalForward, ggDiagonalBackward };

enum class SmoothingMode {
    SmoothingModeDefault = 0,
    SmoothingModeHighSpeed = 1,
    SmoothingModeHighQuality = 2,
    SmoothingModeNone = 3,
    SmoothingModeAntiAlias = 4
};
enum class TextRenderingHint {
    TextRenderingHintSystemDefault = 0,
    TextRenderingHintAntiAliasGridFit = 3,
    TextRenderingHintAntiAlias = 4,
    TextRenderingHintClearTypeGridFit = 5
};
enum class TUnit { UnitWorld = 0, UnitDisplay = 1, UnitPixel = 2, UnitPoint = 3 };
enum class DashStyle { DashStyleSolid = 0, DashStyleDash = 1, DashStyleDot = 2 };
enum class StringAlignment {
    StringAlignmentNear = 0,
    StringAlignmentCenter = 1,
    StringAlignmentFar = 2
};
enum class HotkeyPrefix { HotkeyPrefixNone = 0, HotkeyPrefixShow = 1, HotkeyPrefixHide = 2 };
inline constexpr int StringFormatFlagsNoWrap = 0x1000;
inline constexpr int FontStyleBold = 1, FontStyleItalic = 2, FontStyleUnderline = 4,
                     FontStyleStrikeout = 8;

/// The root of every wrapper: making one starts the graphics layer when it is not running, so
/// no wrapper ever works on a stopped layer.
class TGdiplusBase {
protected:
    TGdiplusBase();
};

/// Starts the graphics layer; safe to call again.
void GdiplusStartup();
/// Stops it; a wrapper made afterwards starts it again.
void GdiplusShutdown();
bool GdiplusStarted();

/// The graphics layer for the life of the program: main() holds one before anything draws,
/// so the layer stops only when the program itself ends.
class TGdiplusSession {
public:
    TGdiplusSession() { GdiplusStartup(); }
    ~TGdiplusSession() { GdiplusShutdown(); }
    TGdiplusSession(const TGdiplusSession&) = delete;
    TGdiplusSession& operator=(const TGdiplusSession&) = delete;
};

/// The native object and the last status, common to every wrapper but the base.
class TGdiplusObject : public TGdiplusBase {
public:
    TStatus GetLastStatus() const { return lastStatus_; }

protected:
    /// Creation: stored as it is.
    void SetCreationStatus(TStatus s) { lastStatus_ = s; }
    /// Any later call: stored only when it failed.
    TStatus SetStatus(TStatus s) {
        if (s != TStatus::Ok)
            lastStatus_ = s;
        return s;
    }

private:
    TStatus lastStatus_ = TStatus::Ok;
};

class TGPGraphicsPath : public TGdiplusObject {
public:
    TGPGraphicsPath();
    TStatus AddLine(float x1, float y1, float x2, float y2);
    TStatus AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle);
    TStatus AddEllipse(float x, float y, float width, float height);
    TStatus CloseFigure();
    const TPath2D& Native() const { return path_; }

private:
    TPath2D path_;
};

class TGPBrush : public TGdiplusObject {
public:
    /// Null when creation failed.
    const TBrush2D* Native() const { return brush_.get(); }

protected:
    std::unique_ptr<TBrush2D> brush_;
};

class TGPSolidBrush : public TGPBrush {
public:
    explicit TGPSolidBrush(TARGB color);
};

enum class LinearGradientMode {
    LinearGradientModeHorizontal = 0,
    LinearGradientModeVertical = 1,
    LinearGradientModeForwardDiagonal = 2,
    LinearGradientModeBackwardDiagonal = 3
};

/// Always WrapModeTile: the ramp repeats beyond its rectangle.
class TGPLinearGradientBrush : public TGPBrush {
public:
    TGPLinearGradientBrush(const TRectF& rect, TARGB color1, TARGB color2, LinearGradientMode mode);
};

class TGPPathGradientBrush : public TGPBrush {
public:
    explicit TGPPathGradientBrush(const TGPGraphicsPath& path);
    TStatus SetCenterPoint(TPoint point);
    TStatus SetCenterColor(TARGB color);
    int GetPointCount();
    /// Not passed on (InvalidParameter) when `colors` is null, `count` is more than the
    /// brush's points, or the brush has none.
    TStatus SetSurroundColors(const TARGB* colors, int count);

private:
    TBrush2D& Brush() { return *brush_; }
};

class TGPPen : public TGdiplusObject {
public:
    explicit TGPPen(TARGB color, float width = 1.0f);
    TStatus SetDashStyle(DashStyle style);
    const TPen2D& Native() const { return pen_; }

private:
    TPen2D pen_;
};

class TGPFontFamily : public TGdiplusObject {
public:
    /// FontFamilyNotFound when the face is not installed.
    explicit TGPFontFamily(std::string_view name);
    const std::string& Name() const { return name_; }

private:
    std::string name_;
};

class TGPFont : public TGdiplusObject {
public:
    /// `unit` UnitPoint or UnitPixel; a family that failed gives InvalidParameter.
    TGPFont(const TGPFontFamily& family, float emSize, int style, TUnit unit);
    const TFont2D* Native() const { return font_.get(); }

private:
    std::unique_ptr<TFont2D> font_;
};

class TGPStringFormat : public TGdiplusObject {
public:
    explicit TGPStringFormat(int formatFlags = 0, int language = 0);
    TStatus SetAlignment(StringAlignment align);
    TStatus SetLineAlignment(StringAlignment align);
    TStatus SetTrimming(StringTrimming trimming);
    TStatus SetHotkeyPrefix(HotkeyPrefix prefix);
    const TStringFormat2D& Native() const { return format_; }

private:
    TStringFormat2D format_;
};

class TGPImage : public TGdiplusObject {
public:
    /// Decodes the bytes of an image file (the stream's content). Colour management is not
    /// done; the flag only stands for the ICM variant of the call.
    explicit TGPImage(std::span<const std::uint8_t> stream,
                      bool useEmbeddedColorManagement = false);
    unsigned GetWidth();
    unsigned GetHeight();
    TImageFormat GetRawFormat();
    const TImage2D& Native() const { return image_; }

protected:
    TGPImage() = default;
    TImage2D image_;
};

enum class TPixelFormat { PixelFormat32bppARGB = 0x26200A };

class TGPBitmap : public TGPImage {
public:
    explicit TGPBitmap(std::span<const std::uint8_t> stream,
                       bool useEmbeddedColorManagement = false);
    TGPBitmap(int width, int height, TPixelFormat format = TPixelFormat::PixelFormat32bppARGB);
    TStatus GetPixel(int x, int y, TARGB& color);
    TStatus SetPixel(int x, int y, TARGB color);
    TStatus RotateFlip(TRotateFlip type);
};

enum class ColorAdjustType { ColorAdjustTypeDefault = 0 };

class TGPImageAttributes : public TGdiplusObject {
public:
    TGPImageAttributes();
    TStatus SetColorKey(TARGB low, TARGB high,
                        ColorAdjustType type = ColorAdjustType::ColorAdjustTypeDefault);
    TStatus ClearColorKey();
    bool HasColorKey() const { return keyed_; }
    TARGB KeyLow() const { return low_; }
    TARGB KeyHigh() const { return high_; }

private:
    bool keyed_ = false;
    TARGB low_ = 0, high_ = 0;
};

/// Drawing on a canvas (the device context) for the length of one paint.
class TGPGraphics : public TGdiplusObject {
public:
    explicit TGPGraphics(TCanvas& canvas);
    ~TGPGraphics();
    TCanvas& Canvas() { return canvas_; }

    TStatus SetSmoothingMode(SmoothingMode mode);
    TStatus SetTextRenderingHint(TextRenderingHint hint);
    /// A missing pen or path is passed on as none: InvalidParameter.
    TStatus DrawPath(const TGPPen* pen, const TGPGraphicsPath* path);
    TStatus FillRectangle(const TGPBrush* brush, float x, float y, float width, float height);
    TStatus DrawRectangle(const TGPPen* pen, float x, float y, float width, float height);
    TStatus MeasureString(std::u16string_view text, const TGPFont* font, const TRectF& layout,
                          const TGPStringFormat* format, TRectF& bounds);
    TStatus DrawString(std::u16string_view text, const TGPFont* font, const TRectF& layout,
                       const TGPStringFormat* format, const TGPBrush* brush);
    TStatus DrawImage(TGPImage* image, int x, int y, int width, int height);
    TStatus DrawImage(TGPImage* image, const TRectF& dest, float srcX, float srcY, float srcWidth,
                      float srcHeight, TUnit srcUnit, const TGPImageAttributes* attributes);

private:
    TCanvas& canvas_;
    std::unique_ptr<TGraphics2D> graphics_;
};

/// The image's file format as a number: MemoryBMP 1, BMP 2, EMF 3, WMF 4, JPEG 5, PNG 6,
/// GIF 7, TIFF 8, EXIF 9, Icon 10, anything else 0.
int RawFormatCode(TGPImage& image);
