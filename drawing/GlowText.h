#pragma once
// Caption and notes text of a glow-button face, through the 2D graphics layer (anti-aliased,
// "the GDI+ route") or the canvas's DrawText ("the GDI route"). The GDI+ route is taken when
// anti-aliasing is asked for and the font is an outline face the screen knows; other faces go
// the GDI route, where the platform's own substitution applies.

#include <string>
#include <string_view>

#include "drawing/AdvGDIP.h"
#include "platform/Types.h"

class TCanvas;
class TFont;

/// Where the picture goes relative to the caption; the adjusted layouts push the caption to
/// that edge instead of centring it.
enum class TButtonLayout {
    blGlyphLeft,
    blGlyphTop,
    blGlyphRight,
    blGlyphBottom,
    blGlyphLeftAdjusted,
    blGlyphTopAdjusted,
    blGlyphRightAdjusted,
    blGlyphBottomAdjusted,
};

/// How a caption is set: its font, the control's state and the button's text settings.
struct TCaptionStyle {
    const TFont* Font = nullptr;
    bool Enabled = true;
    bool WordWrap = false;
    TButtonLayout Layout = TButtonLayout::blGlyphLeft;
    StringTrimming Trimming = StringTrimming::StringTrimmingNone;
    TAntiAlias AntiAlias = TAntiAlias::aaClearType;
    /// False when the caller has placed the text's top itself (a caption with notes below
    /// it): the plain text route then neither centres nor re-centres it.
    bool VerticalCentring = true;
};

/// True when `font` goes the GDI+ route: anti-aliasing on, and an outline face the screen's
/// font list holds.
bool UsesGdipText(TAntiAlias antiAlias, const TFont& font);

/// An 8-bit caption as UTF-16, decoded as every text of the program is.
std::u16string CaptionUtf16(std::string_view bytes);

// --- The GDI+ route --------------------------------------------------------------------------

/// The bounds of `text` laid out in `layout` (pass a 4096 x 4096 box when only the size is
/// wanted); the width and height are the text's size. A face GDI+ cannot find is set in Arial.
TRectF MeasureGdipText(TGPGraphics& g, std::u16string_view text, const TCaptionStyle& style,
                       const TRectF& layout);
/// Draws `text` into `layout`, moved 1.0 to the left, in the font colour (grey 0x808080 when
/// disabled), aligned by the layout, "&" underlining the next character.
void DrawGdipText(TGPGraphics& g, std::u16string_view text, const TCaptionStyle& style,
                  const TRectF& layout);

// --- The GDI route ---------------------------------------------------------------------------

/// The text's size measured with DrawText: one line, or wrapped at 4096 pixels.
TSize MeasureGdiText(TCanvas& canvas, std::string_view text, const TCaptionStyle& style);
/// The notes' size: always measured with word breaks, at most 4096 pixels wide.
TSize MeasureGdiNotes(TCanvas& canvas, std::string_view notes, const TCaptionStyle& style);
/// Draws `text` in `r` with the layout's DrawText flags; with word wrap the text's top is set
/// by the layout (`pictureBottom` is where a picture above the caption ends).
void DrawGdiText(TCanvas& canvas, std::string_view text, const TCaptionStyle& style, TRect r,
                 int pictureBottom = 0);

/// The UTF-16 caption for the GDI route (drawn as the text it is).
std::string CaptionBytes(std::u16string_view text);
