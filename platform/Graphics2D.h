#pragma once
// The 2D graphics layer under the glow buttons and the label reflections, with the results of
// the Windows GDI+ flat interface: anti-aliased paths of lines, arcs and ellipses; solid,
// linear-gradient and path-gradient brushes; dotted pens; text measured and drawn with
// alignment, trimming and hotkey prefix; images decoded from file bytes; per-pixel access;
// rotate-flip; images drawn into rectangles with a colour key. Coordinates are floats with
// GDI+'s pixel grid: pixel (i, j) is centred on the integer point (i, j) when smoothing is on,
// so a 1-pixel outline at integer coordinates lies on one pixel row or column. Colours are
// 0xAARRGGBB. No call throws: a failure comes back as a TGraphicsStatus with GDI+'s numbers.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

class TCanvas;

/// GDI+'s Status values.
enum class TGraphicsStatus : int {
    Ok = 0,
    GenericError = 1,
    InvalidParameter = 2,
    OutOfMemory = 3,
    ObjectBusy = 4,
    InsufficientBuffer = 5,
    NotImplemented = 6,
    Win32Error = 7,
    WrongState = 8,
    Aborted = 9,
    FileNotFound = 10,
    ValueOverflow = 11,
    AccessDenied = 12,
    UnknownImageFormat = 13,
    FontFamilyNotFound = 14,
    FontStyleNotFound = 15,
    NotTrueTypeFont = 16,
    UnsupportedGdiplusVersion = 17,
    GdiplusNotInitialized = 18,
};

struct TRectF {
    float X = 0, Y = 0, Width = 0, Height = 0;
    friend bool operator==(const TRectF&, const TRectF&) = default;
};

/// A path of figures; arcs take their box and angles in degrees, clockwise from the x axis.
/// Figures are filled with the alternate rule.
class TPath2D {
public:
    TPath2D();
    ~TPath2D();
    TPath2D(const TPath2D&);
    TPath2D& operator=(const TPath2D&);

    void AddLine(float x1, float y1, float x2, float y2);
    void AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle);
    void AddEllipse(float x, float y, float width, float height);
    void CloseFigure();
    /// The points that define the path (an ellipse has 13: four Bézier curves).
    int PointCount() const;

private:
    friend struct TGraphics2DAccess;
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

enum class TLinearGradientMode {
    Horizontal = 0,
    Vertical = 1,
    ForwardDiagonal = 2,
    BackwardDiagonal = 3
};

/// A solid, linear-gradient or path-gradient brush.
class TBrush2D {
public:
    static TBrush2D Solid(std::uint32_t argb);
    /// From `color1` at the rectangle's start edge to `color2` at its end, repeating beyond.
    static TBrush2D Linear(const TRectF& rect, std::uint32_t color1, std::uint32_t color2,
                           TLinearGradientMode mode);
    /// Paints inside `path` only: the centre colour at the centre point blends along each ray
    /// to the surround colour on the path's edge. Starts with the centre in the middle of the
    /// path's bounds, white in the centre and white around.
    static TBrush2D PathGradient(const TPath2D& path);

    TBrush2D(const TBrush2D&);
    TBrush2D& operator=(const TBrush2D&);
    ~TBrush2D();

    bool IsPathGradient() const;
    /// Path-gradient settings; InvalidParameter on another kind of brush.
    TGraphicsStatus SetCenterPoint(int x, int y);
    TGraphicsStatus SetCenterColor(std::uint32_t argb);
    /// The number of points of the path (0 for other brushes).
    int PointCount() const;
    /// InvalidParameter when `colors` is empty or longer than the point count. The colours go
    /// around the path's points; the edge takes the first one (this program passes one).
    TGraphicsStatus SetSurroundColors(std::span<const std::uint32_t> colors);

private:
    friend struct TGraphics2DAccess;
    struct Impl;
    explicit TBrush2D(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

enum class TDashStyle { Solid = 0, Dash = 1, Dot = 2 };

struct TPen2D {
    std::uint32_t Color = 0xFF000000;
    float Width = 1.0f;
    TDashStyle DashStyle = TDashStyle::Solid;
};

/// The file format an image came from, numbered as the drawing layer's raw format codes.
enum class TImageFormat {
    Unknown = 0,
    MemoryBMP = 1,
    BMP = 2,
    EMF = 3,
    WMF = 4,
    JPEG = 5,
    PNG = 6,
    GIF = 7,
    TIFF = 8,
    EXIF = 9,
    Icon = 10,
};

/// GDI+'s RotateFlipType: a clockwise quarter-turn count in bits 0-1, then a mirror in x
/// when bit 2 is set (so Rotate180FlipX = 6 is a vertical flip).
enum class TRotateFlip : int {
    RotateNoneFlipNone = 0,
    Rotate90FlipNone = 1,
    Rotate180FlipNone = 2,
    Rotate270FlipNone = 3,
    RotateNoneFlipX = 4,
    Rotate90FlipX = 5,
    Rotate180FlipX = 6,
    Rotate270FlipX = 7,
};

/// A decoded picture with 32-bit pixels.
class TImage2D {
public:
    TImage2D();
    ~TImage2D();
    TImage2D(const TImage2D&);
    TImage2D& operator=(const TImage2D&);

    /// Decodes BMP, PNG, JPEG, GIF or ICO bytes. Unknown or broken bytes give
    /// UnknownImageFormat, pictures too large to hold OutOfMemory; the image is then empty.
    static TGraphicsStatus Decode(std::span<const std::uint8_t> bytes, TImage2D& image);
    /// A transparent black image of the size (MemoryBMP); InvalidParameter when not positive,
    /// OutOfMemory when too large.
    static TGraphicsStatus Create(int width, int height, TImage2D& image);

    bool IsEmpty() const;
    int Width() const;
    int Height() const;
    TImageFormat Format() const;
    /// The pixel as 0xAARRGGBB; InvalidParameter outside the image.
    TGraphicsStatus Pixel(int x, int y, std::uint32_t& argb) const;
    TGraphicsStatus SetPixel(int x, int y, std::uint32_t argb);
    TGraphicsStatus RotateFlip(TRotateFlip type);

private:
    friend struct TGraphics2DAccess;
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

/// A font face by its Windows name (through the platform's substitution table).
class TFont2D {
public:
    /// Style bits: 1 bold, 2 italic, 4 underline, 8 strike-out. The size is in points.
    TFont2D(std::string_view family, float emSizePoints, int style);
    ~TFont2D();
    TFont2D(const TFont2D&);
    TFont2D& operator=(const TFont2D&);

    /// FontFamilyNotFound unless the substituted family is installed.
    static TGraphicsStatus FindFamily(std::string_view family);
    /// True when the substituted family is installed and scalable (an outline face).
    static bool IsOutlineFamily(std::string_view family);

private:
    friend struct TGraphics2DAccess;
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

enum class TStringAlignment { Near = 0, Center = 1, Far = 2 };
enum class TStringTrimming {
    None = 0,
    Character = 1,
    Word = 2,
    EllipsisCharacter = 3,
    EllipsisWord = 4,
    EllipsisPath = 5,
};
enum class THotkeyPrefix { None = 0, Show = 1, Hide = 2 };

struct TStringFormat2D {
    bool NoWrap = false;
    TStringAlignment Align = TStringAlignment::Near;
    TStringAlignment LineAlign = TStringAlignment::Near;
    TStringTrimming Trimming = TStringTrimming::Character;
    THotkeyPrefix HotkeyPrefix = THotkeyPrefix::None;
};

enum class TTextRendering {
    SystemDefault = 0,
    AntiAliasGridFit = 3,
    AntiAlias = 4,
    ClearTypeGridFit = 5
};

/// Drawing on a canvas for the length of one paint. The canvas's painter state is restored
/// when the graphics goes.
class TGraphics2D {
public:
    explicit TGraphics2D(TCanvas& canvas);
    ~TGraphics2D();
    TGraphics2D(const TGraphics2D&) = delete;
    TGraphics2D& operator=(const TGraphics2D&) = delete;

    /// Ok, or InvalidParameter for a canvas that cannot be drawn on now (a control outside
    /// its paint); every drawing call then gives that status too.
    TGraphicsStatus Status() const;

    /// Off at first: shapes then cover whole pixels, as GDI+'s default smoothing does.
    void SetSmoothing(bool antiAlias);
    void SetTextRendering(TTextRendering hint);

    TGraphicsStatus FillRectangle(const TBrush2D& brush, const TRectF& rect);
    TGraphicsStatus DrawRectangle(const TPen2D& pen, const TRectF& rect);
    TGraphicsStatus FillPath(const TBrush2D& brush, const TPath2D& path);
    TGraphicsStatus DrawPath(const TPen2D& pen, const TPath2D& path);

    /// The bounds of `text` laid out in `layout` (only its size counts for most callers).
    TGraphicsStatus MeasureString(std::u16string_view text, const TFont2D& font,
                                  const TRectF& layout, const TStringFormat2D& format,
                                  TRectF& bounds);
    TGraphicsStatus DrawString(std::u16string_view text, const TFont2D& font, const TRectF& layout,
                               const TStringFormat2D& format, const TBrush2D& brush);

    /// The whole image scaled into `dest`.
    TGraphicsStatus DrawImage(const TImage2D& image, const TRectF& dest);
    /// The `source` part of the image (pixels) scaled into `dest`; when `colorKey` is set,
    /// pixels whose alpha, red, green and blue all lie between those of `keyLow` and `keyHigh`
    /// are left out, and the picture scales by the nearest pixel.
    TGraphicsStatus DrawImage(const TImage2D& image, const TRectF& dest, const TRectF& source,
                              bool colorKey, std::uint32_t keyLow, std::uint32_t keyHigh);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
