#pragma once
// Layout of markup: the prepared text is read run by run and tag by tag into lines of boxes
// (text runs, pictures, bullets, rules and backgrounds) with their final positions in the
// layout rectangle, the links they belong to, and the laid-out size. Painting draws the boxes;
// hit testing looks them up. Nothing is painted here; the canvas serves for measuring only,
// and its font is back as it was when layout returns.
//
// A line ends at <BR>, <HR>, <UL>, </L...>, </P> and at the end of the text; a run or picture
// that does not fit in what is left of the line starts the next one, unless nothing has been
// placed on the line yet: then it stays and overflows to the right. Every line starts with the
// font in which the line before it ended and with its leading blanks and control characters
// trimmed; its height is at least that of "gh" in that font. Lines stop when the next one's top
// plus that height would pass the rectangle's bottom (the first line is always laid out).
//
// Decisions of ours:
// - A run wider than what is left of a line moves to the next line when the line holds
//   something already, and an item that reaches the right edge exactly still fits.
// - A run that moves on to the next line leaves the height of the line it left as it was.
// - XSize is the widest line plus 2, whatever the order of the lines.
// - The offset tag's x is measured from the line's left edge, as the indent tag's is.
// - </A> ends the link's own underline only; an underline begun with <U> stays on.
// - Hidden text (<Z>) hides pictures as well as runs.
// - Font SIZE values are held to 1..kMaxFontPoints points, and picture WIDTH and HEIGHT to
//   0..kMaxPictureSide, so that markup cannot ask for fonts or pictures no screen can show.
// - Shell icons ("SSYS:", "LSYS:") need the desktop's shell image lists, which this platform
//   does not have: they draw nothing and take no room.
// - Rotated text (<R a="n">): the font turns by n degrees counter-clockwise (n taken modulo
//   360) until </R> brings back the font the tag replaced; tags may nest. A turned run takes
//   the room of the level run on its line and is drawn turned about its box's top-left.

#include <climits>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "htmllabel/MarkupText.h"
#include "platform/Graphics.h"
#include "platform/Types.h"

class TImageList;
class THTMLPicture;
class THTMLPictureCache;
class TPictureContainer;

inline constexpr int kMaxFontPoints = 400;
inline constexpr int kMaxPictureSide = 4096;

/// A font as a value: the five fonts of a call are copied between lines and boxes.
struct TMarkupFont {
    std::string Name;
    int Height = 0;
    TFontStyles Style;
    TColor Color = clBlack;
    int Orientation = 0; ///< tenths of a degree, counter-clockwise

    static TMarkupFont Of(const TFont& font);
    void ApplyTo(TFont& font) const;
};

enum class THTMLBoxKind {
    Text,         // a run of text, bottom-aligned in Bounds
    Bullet,       // a list item's bullet character, drawn as text
    SquareBullet, // 8 x 8 filled square
    CircleBullet, // 8 x 8 filled circle
    Picture,      // a THTMLPicture, stretched into Bounds or at its own size
    ListImage,    // an image of the image list at Bounds' top-left
    TiledPicture, // a picture repeated over Bounds, clipped to it
    Rule,         // a 1-pixel black line along Bounds' top row
    Fill,         // Bounds filled with Color
    Gradient,     // Bounds from Color to ColorTo in 64 bands
};

struct THTMLBox {
    THTMLBoxKind Kind = THTMLBoxKind::Text;
    TRect Bounds;
    /// Where a point counts as being on the box's link; empty outside links.
    TRect HitArea;
    /// The link's number, counted from 1 in order of appearance; 0 outside links.
    int Link = 0;

    // Text and bullets.
    std::string Text; // as shown: inline entities replaced, ampersand prefixes kept
    TMarkupFont Font;
    TColor Background = clNone;
    bool Shadow = false;
    bool ErrorMark = false;
    /// The row the error mark's zigzag runs along.
    int ErrorMarkLine = 0;

    // Pictures.
    const THTMLPicture* Picture = nullptr;
    bool Stretch = false;
    int ImageIndex = -1;
    /// Which <IMG> of the text this is (from 1), and whether it has an ALT picture to show
    /// while the point is on it.
    int ImageNumber = 0;
    bool HasAlt = false;

    // Fills, gradients and bullets.
    TColor Color = clNone;
    TColor ColorTo = clNone;
    bool Horizontal = true;
};

struct THTMLLine {
    /// Left and top of the line's first item; right and bottom of its box.
    TRect Box;
    /// What the line holds, without the trailing blank of its last run.
    int Width = 0;
    /// The source text it took (in TMarkupSource::Text).
    std::size_t SourceBegin = 0;
    std::size_t SourceEnd = 0;
};

struct THTMLLayout {
    TMarkupSource Source;
    std::vector<THTMLLine> Lines;
    /// In painting order.
    std::vector<THTMLBox> Boxes;
    /// The href of link n at [n - 1].
    std::vector<std::string> Hrefs;
    TImageList* Images = nullptr;
    int XSize = 0;
    int YSize = 0;
};

/// Where pictures come from.
struct THTMLSources {
    TImageList* Images = nullptr;
    THTMLPictureCache* PictureCache = nullptr;
    TPictureContainer* PictureContainer = nullptr;
};

struct THTMLLayoutOptions {
    TColor URLColor = clBlue;
    /// The <IMG> under the point, which shows its ALT picture; -1 for none.
    int HoveredImage = -1;
    int MaxLines = INT_MAX;
};

/// Lays out `markup` in `rect` with the canvas's font as the base font and its brush colour as
/// the colour <BLINK> hides text in. Pictures named by reference are loaded into the cache.
THTMLLayout LayoutHTML(TCanvas& canvas, std::string_view markup, const TRect& rect,
                       const THTMLSources& sources, const THTMLLayoutOptions& options = {});
