#include "htmllabel/DrawHTML.h"

THTMLHit HitTestHTML(const THTMLLayout& layout, TPoint point) {
    THTMLHit hit;
    for (const THTMLBox& box : layout.Boxes) {
        if (box.Link == 0 || !box.HitArea.Contains(point))
            continue;
        hit.OnLink = true;
        hit.Link = box.Link;
        hit.Href = layout.Hrefs[static_cast<std::size_t>(box.Link - 1)];
        hit.Image = box.ImageNumber > 0 ? box.ImageNumber : -1;
        hit.ImageHasAlt = box.ImageNumber > 0 && box.HasAlt;
    }
    return hit;
}

bool DrawHTML(TCanvas& Canvas, std::string_view Text, const TRect& Rect, TImageList* Images,
              int MouseX, int MouseY, bool CheckOnly, std::string& AnchorValue, int& XSize,
              int& YSize, int& MouseLink, TColor URLColor, TColor ShadowColor, int ShadowOffset,
              THTMLPictureCache* PictureCache, TPictureContainer* PictureContainer) {
    const THTMLSources sources{Images, PictureCache, PictureContainer};
    THTMLLayoutOptions options;
    options.URLColor = URLColor;
    const TPoint mouse{MouseX, MouseY};
    THTMLLayout layout = LayoutHTML(Canvas, Text, Rect, sources, options);
    THTMLHit hit = HitTestHTML(layout, mouse);
    // A linked picture under the point shows its ALT picture instead.
    if (hit.ImageHasAlt) {
        options.HoveredImage = hit.Image;
        layout = LayoutHTML(Canvas, Text, Rect, sources, options);
        hit = HitTestHTML(layout, mouse);
    }
    if (!CheckOnly)
        PaintHTML(Canvas, layout, {ShadowColor, ShadowOffset});
    if (hit.OnLink)
        AnchorValue = hit.Href;
    XSize = layout.XSize;
    YSize = layout.YSize;
    MouseLink = hit.Link;
    return hit.OnLink;
}

std::string DrawHTMLLine(TCanvas& Canvas, std::string_view Text, const TRect& Rect, bool CheckOnly,
                         int& Width, int& Height, const THTMLSources& Sources, TColor URLColor,
                         const THTMLPaintOptions& Paint) {
    THTMLLayoutOptions options;
    options.URLColor = URLColor;
    options.MaxLines = 1;
    const THTMLLayout layout = LayoutHTML(Canvas, Text, Rect, Sources, options);
    if (!CheckOnly)
        PaintHTML(Canvas, layout, Paint);
    if (layout.Lines.empty()) {
        Width = 0;
        Height = layout.YSize;
        return {};
    }
    const THTMLLine& line = layout.Lines.front();
    Width = line.Width;
    Height = line.Box.Height();
    return layout.Source.Text.substr(line.SourceBegin, line.SourceEnd - line.SourceBegin);
}
