#pragma once
// The markup renderer's faces. DrawHTML lays a markup text out in a rectangle, finds what lies
// under a point, and paints unless asked only to measure; DrawHTMLLine does the same for the
// text's first line. Both keep nothing between calls but the pictures that markup loaded into
// the picture cache. A control that draws, measures and hit-tests its caption can also call
// the steps itself: LayoutHTML once, then PaintHTML and HitTestHTML on the same layout.
//
// The markup: inline styles <B> <I> <U> <S>, <FONT face color bgcolor size>, <A href> links,
// <P align indent bgcolor bgcolorto> paragraphs, <BR>, <HR>, <UL> and <LI type color> lists,
// <IMG src width height align alt> pictures ("IDX:n" from the image list, a container's
// picture by name, "RES://" and "FILE://" references through the cache), <SUB>, <SUP>,
// <SHAD> shadow, <HI> highlight, <E> error mark, <Z> hidden text, <BODY> backgrounds, the
// indent <IND x> and offset <OFS x> tags, <BLINK>; only the first one or two letters of a tag
// count. Entities: &amp; &quot; &sect; &permil; &reg; &copy; &para; &trade; &euro; &nbsp;
// &lt; &gt;. Malformed markup never throws: unknown tags do nothing, a tag without ">" takes
// the rest of the text.
//
// Decisions of ours: the point is tested against the boxes where they are drawn, after
// alignment, on the same rectangle for drawing and for measuring; MouseLink names the link
// under the point whether or not its closing tag follows.

#include <string>
#include <string_view>

#include "htmllabel/MarkupLayout.h"
#include "htmllabel/MarkupPaint.h"
#include "platform/Graphics.h"
#include "platform/Types.h"

class TImageList;
class THTMLPictureCache;
class TPictureContainer;

struct THTMLHit {
    /// True when the point is on link text or on a picture inside a link.
    bool OnLink = false;
    /// That link's number (from 1), -1 when none.
    int Link = -1;
    std::string Href;
    /// The <IMG> under the point when it is inside a link (counted from 1), -1 when none.
    int Image = -1;
    bool ImageHasAlt = false;
};

/// What lies under `point`: of overlapping link boxes the last one laid out.
THTMLHit HitTestHTML(const THTMLLayout& layout, TPoint point);

/// Lays out `Text` in `Rect` with the canvas's font and brush colour as the base, paints it
/// unless `CheckOnly` (a picture inside a link under the point shows its ALT picture), and
/// reports: the href under (MouseX, MouseY) in `AnchorValue` (untouched when none), the laid-out
/// width plus 2 in `XSize` (0 for nothing) and height in `YSize` (at least the height of "gh"),
/// the link's number in `MouseLink` (-1 for none). Returns whether the point is on a link. The
/// canvas's font, pen and brush are as they were.
bool DrawHTML(TCanvas& Canvas, std::string_view Text, const TRect& Rect, TImageList* Images,
              int MouseX, int MouseY, bool CheckOnly, std::string& AnchorValue, int& XSize,
              int& YSize, int& MouseLink, TColor URLColor = clBlue, TColor ShadowColor = clGray,
              int ShadowOffset = 2, THTMLPictureCache* PictureCache = nullptr,
              TPictureContainer* PictureContainer = nullptr);

/// The first line of `Text` laid out in `Rect` and, unless `CheckOnly`, painted: returns the
/// source text the line took (after the markup's preparation), with the line's width in
/// `Width` and its height in `Height`.
std::string DrawHTMLLine(TCanvas& Canvas, std::string_view Text, const TRect& Rect, bool CheckOnly,
                         int& Width, int& Height, const THTMLSources& Sources = {},
                         TColor URLColor = clBlue, const THTMLPaintOptions& Paint = {});
