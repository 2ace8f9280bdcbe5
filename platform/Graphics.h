#pragma once
// Fonts, pens, brushes, canvases and bitmaps with GDI's semantics: rectangles exclude their
// right and bottom edges, LineTo leaves out its end point, 1-pixel pens are not anti-aliased,
// 96 dots per inch. Text handed to a canvas is 8-bit list text and goes through the text codec.
// The drawing itself is Qt's, behind the opaque TNative... parts.

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Types.h"

// The Qt side of fonts, canvases and bitmaps, known to the platform only (platform/qt/Native.h).
struct TNativeFont;
struct TNativeCanvas;
struct TNativeBitmap;

enum class TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

class TFontStyles {
public:
    TFontStyles() = default;
    TFontStyles(std::initializer_list<TFontStyle> styles) {
        for (TFontStyle s : styles)
            Include(s);
    }
    bool Contains(TFontStyle s) const { return (bits_ & static_cast<std::uint8_t>(s)) != 0; }
    void Include(TFontStyle s) { bits_ |= static_cast<std::uint8_t>(s); }
    void Exclude(TFontStyle s) {
        bits_ &= static_cast<std::uint8_t>(~static_cast<std::uint8_t>(s));
    }
    friend bool operator==(const TFontStyles&, const TFontStyles&) = default;

private:
    std::uint8_t bits_ = 0;
};

/// The family that stands in for a Windows face name: "Tahoma" is the Tahoma-compatible face
/// of Debian's fonts-wine (DejaVu Sans when missing), "Courier New" in any case Liberation
/// Mono, "Arial" Liberation Sans, "FixedSys" DejaVu Sans Mono; others pass through.
std::string SubstituteFontFamily(std::string_view windowsName);

/// True for the Windows "Symbol" face (any case), which draws its byte 0xB7 as a bullet.
bool IsSymbolFont(std::string_view windowsName);

/// Registers the fonts that the substitution table needs (once; safe to call again). Needs
/// the application object; TApplication calls it.
void RegisterApplicationFonts();

class TFont : public TObject {
public:
    TFont();
    ~TFont() override;

    const std::string& Name() const { return name_; }
    void SetName(std::string_view name);
    /// Negative: the em size in pixels; positive: the cell height in pixels.
    int Height() const { return height_; }
    void SetHeight(int height);
    /// Size in points at 96 dpi (Height = -Size * 96 / 72).
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Charset() const { return charset_; }
    void SetCharset(int charset);
    /// The angle text is drawn at, in tenths of a degree counter-clockwise; the text turns
    /// about the point it starts from (the top-left of its unturned cell). Measuring is not
    /// affected: extents are those of the level text.
    int Orientation() const { return orientation_; }
    void SetOrientation(int tenths);
    void Assign(const TFont& other);

    /// True when every character has the same advance width.
    bool IsFixedPitch() const;

    TNotifyEvent OnChange;

private:
    friend struct TNativeFont;
    void Changed();

    // Resolving the family is slow and painting asks for the font on every call: kept until
    // the description changes.
    mutable std::unique_ptr<TNativeFont> native_;

    std::string name_ = "Tahoma";
    int height_ = -11;
    TFontStyles style_;
    TColor color_ = clWindowText;
    int charset_ = 1; // DEFAULT_CHARSET
    int orientation_ = 0;
};

// DrawText's format flags.
inline constexpr unsigned DT_LEFT = 0x0;
inline constexpr unsigned DT_CENTER = 0x1;
inline constexpr unsigned DT_RIGHT = 0x2;
inline constexpr unsigned DT_VCENTER = 0x4;
inline constexpr unsigned DT_BOTTOM = 0x8;
inline constexpr unsigned DT_WORDBREAK = 0x10;
inline constexpr unsigned DT_SINGLELINE = 0x20;
inline constexpr unsigned DT_EXPANDTABS = 0x40;
inline constexpr unsigned DT_CALCRECT = 0x400;
inline constexpr unsigned DT_NOPREFIX = 0x800;

enum class TPenStyle { psSolid, psDot, psClear };
enum class TBrushStyle { bsSolid, bsClear };

class TPen {
public:
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = TPenStyle::psSolid;
};

class TBrush {
public:
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::bsSolid;
};

class TBitmap;

/// A drawing surface: a control's during its paint, or a bitmap's.
class TCanvas {
public:
    TCanvas();
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TFont& Font() { return font_; }
    TPen& Pen() { return pen_; }
    TBrush& Brush() { return brush_; }

    void FillRect(const TRect& r);
    void Rectangle(const TRect& r);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    /// Draws one line of text with its top-left at (x, y); the background is filled with the
    /// brush unless the brush style is bsClear. No prefix processing.
    void TextOut(int x, int y, std::string_view text);
    /// Like TextOut, clipped to `clip`.
    void TextRect(const TRect& clip, int x, int y, std::string_view text);
    TSize TextExtent(std::string_view text);
    /// GDI's DrawText with the flags below: `text` in `r`, clipped to it, "&" underlining the
    /// next character ("&&" shows one "&") unless DT_NOPREFIX. DT_VCENTER and DT_BOTTOM act
    /// on a single line only. With DT_CALCRECT nothing is drawn: r's right and bottom become
    /// those of the text laid out from r's top-left (wrapped at r's width with DT_WORDBREAK).
    /// DT_EXPANDTABS takes tabs to the default tab stops, which TextExtent measures with.
    /// Returns the text's height.
    int DrawText(std::string_view text, TRect& r, unsigned format);
    int TextWidth(std::string_view text) { return TextExtent(text).cx; }
    int TextHeight(std::string_view text) { return TextExtent(text).cy; }
    /// Draws the cells [firstCell, endCell) of `line` (clamped to the line), one byte per cell
    /// of `cellWidth` pixels; cell c is at x + c * cellWidth, so x is where the line's cell 0
    /// would be. The line is decoded as a whole: a character is drawn in the cell of its first
    /// byte, its other cells stay blank. So a character that starts before firstCell is not
    /// drawn at all, and one that starts in range is drawn even when its bytes run past
    /// endCell. The cells in range are filled with the brush first unless the brush style is
    /// bsClear. Glyphs never drift off the cell grid, whatever the font's own advances. The
    /// pen ends at the right edge of the last cell in range.
    void TextOutCells(int x, int y, std::string_view line, int firstCell, int endCell,
                      int cellWidth);
    /// All cells of `bytes`, with cell 0 at x.
    void TextOutCells(int x, int y, std::string_view bytes, int cellWidth);
    /// A polygon through `points`, filled with the brush and outlined with the pen.
    void Polygon(std::span<const TPoint> points);
    /// The ellipse inside `r` (right and bottom excluded), filled and outlined.
    void Ellipse(const TRect& r);
    void Draw(int x, int y, const TBitmap& bitmap);
    /// Copies `source`'s `sourceRect` onto `dest` (same size: a plain block copy).
    void CopyRect(const TRect& dest, const TBitmap& source, const TRect& sourceRect);
    /// Restricts drawing to `r` until ResetClip.
    void SetClipRect(const TRect& r);
    void ResetClip();
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    /// The current pen position (MoveTo, LineTo, and TextOut moves it past the text).
    TPoint PenPos() const { return penPos_; }

private:
    friend class TBitmap;
    friend struct TNativeCanvas;

    // A control's canvas has a painter only while the control paints.
    std::unique_ptr<TNativeCanvas> native_;
    TBitmap* bitmap_ = nullptr; // set for a bitmap's own canvas
    TFont font_;
    TPen pen_;
    TBrush brush_;
    TPoint penPos_;
    bool clipped_ = false;
    TRect clip_;
};

/// A 32-bit off-screen picture with a canvas and pixel access.
class TBitmap : public TObject {
public:
    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap() override;

    int Width() const;
    int Height() const;
    void SetSize(int width, int height);
    TCanvas& Canvas();
    /// The pixel at (x, y) as 0x00BBGGRR.
    TColor Pixel(int x, int y) const;
    /// The picture in its file form: the bytes of a 32-bit Windows bitmap (BMP) file; none for
    /// an empty bitmap.
    std::vector<std::uint8_t> SaveToBytes() const;

private:
    friend struct TNativeBitmap;

    struct Impl;
    std::unique_ptr<Impl> impl_;
};
