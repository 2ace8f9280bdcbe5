// Markup of any bytes is laid out, painted on an off-screen bitmap, measured and hit-tested at
// a point the input chooses. Images come from a small image list and a container, so picture
// tags take room; the cache starts empty for each input. Painting the layout must stay within
// the boxes layout measured: each box may reach only as far as the painter's own allowances
// take it (an italic's overhang, the shadow's offset, the error mark's zigzag, a turn).

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "htmllabel/DrawHTML.h"
#include "htmllabel/PictureContainer.h"
#include "platform/Forms.h"
#include "platform/ImageList.h"

namespace {

struct World {
    TBitmap bitmap{160, 48};
    TBitmap paper{400, 200}; // the layout rectangle with room around it on every side
    TImageList images{6, 6};
    TPictureContainer container;

    World() {
        TBitmap dot(6, 6);
        images.Add(dot);
        TPictureItem& item = container.Items().Add();
        item.SetName("pic");
        item.Picture().LoadFromStream(TBitmap(3, 2).SaveToBytes());
        bitmap.Canvas().Font().SetName("Tahoma");
        bitmap.Canvas().Font().SetHeight(-16);
    }
};

World* world = nullptr;

constexpr TColor kUntouched = 0x123456; // no markup colour of the world's
constexpr int kShadowOffset = 2;

// The rectangle around `r` turned by `tenths` of a degree counter-clockwise about its top-left.
TRect Turned(const TRect& r, TPoint origin, int tenths) {
    const double a = -tenths / 10.0 * 3.14159265358979 / 180.0;
    double left = origin.X, top = origin.Y, right = origin.X, bottom = origin.Y;
    for (const double x : {double(r.Left), double(r.Right)})
        for (const double y : {double(r.Top), double(r.Bottom)}) {
            const double tx =
                origin.X + (x - origin.X) * std::cos(a) - (y - origin.Y) * std::sin(a);
            const double ty =
                origin.Y + (x - origin.X) * std::sin(a) + (y - origin.Y) * std::cos(a);
            left = std::min(left, tx), right = std::max(right, tx);
            top = std::min(top, ty), bottom = std::max(bottom, ty);
        }
    return Rect(static_cast<int>(std::floor(left)) - 1, static_cast<int>(std::floor(top)) - 1,
                static_cast<int>(std::ceil(right)) + 1, static_cast<int>(std::ceil(bottom)) + 1);
}

// How far painting `box` may reach.
void AddReach(const THTMLBox& box, std::vector<TRect>& reach) {
    TRect r = box.Bounds;
    if (box.Kind != THTMLBoxKind::Text && box.Kind != THTMLBoxKind::Bullet) {
        reach.push_back(r);
        return;
    }
    // Glyphs may stand out of their advance: an italic's overhang on the right, a negative
    // side bearing on the left.
    r.Right += box.Bounds.Height();
    r.Left -= box.Bounds.Height() / 4;
    if (box.Shadow) {
        r.Right += kShadowOffset;
        r.Bottom += kShadowOffset;
    }
    // A turned run turns about the top-left of its level box; its background stays level.
    // It is not clipped to its box as a level run is, so ink above the font's ascent (the
    // accent of a capital such as "È") shows: up to a quarter of the height.
    reach.push_back(r);
    if (box.Font.Orientation % 3600 != 0) {
        TRect inked = r;
        inked.Top -= box.Bounds.Height() / 4;
        reach.push_back(Turned(inked, {box.Bounds.Left, box.Bounds.Top}, box.Font.Orientation));
    }
    // The error mark's zigzag stays level along the line.
    if (box.ErrorMark)
        reach.push_back(Rect(box.Bounds.Left - 2, box.ErrorMarkLine - 1, box.Bounds.Right + 3,
                             box.ErrorMarkLine + 2));
}

// Aborts when a pixel that painting touched lies in no box's reach.
void CheckPaintedWithinLayout(std::string_view markup, const TRect& rect) {
    TBitmap& b = world->paper;
    b.Canvas().Brush().Style = TBrushStyle::bsSolid;
    b.Canvas().Brush().Color = kUntouched;
    b.Canvas().FillRect(Rect(0, 0, b.Width(), b.Height()));
    b.Canvas().Font().Assign(world->bitmap.Canvas().Font());
    THTMLPictureCache cache;
    const THTMLLayout layout =
        LayoutHTML(b.Canvas(), markup, rect, {&world->images, &cache, &world->container});
    PaintHTML(b.Canvas(), layout, {clGray, kShadowOffset});
    std::vector<TRect> reach;
    for (const THTMLBox& box : layout.Boxes)
        AddReach(box, reach);
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.Pixel(x, y) != kUntouched &&
                std::none_of(reach.begin(), reach.end(), [&](const TRect& r) {
                    return r.Contains(TPoint{x, y});
                }))
                std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // Kept to the end of the process: Qt cannot be taken down from exit handlers.
    new TApplication(*argc, *argv, /*offscreen=*/true);
    world = new World;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Captions are short; long inputs only slow the search down.
    if (size < 2 || size > 2048)
        return 0;
    const int mouseX = data[0] % 170 - 5;
    const int mouseY = data[1] % 60 - 5;
    const std::string_view markup(reinterpret_cast<const char*>(data + 2), size - 2);
    TCanvas& canvas = world->bitmap.Canvas();
    THTMLPictureCache cache;
    const TRect rect = Rect(0, 0, 160, 48);
    for (const bool checkOnly : {false, true}) {
        std::string anchor;
        int xSize = -1, ySize = -1, link = -2;
        const bool onLink =
            DrawHTML(canvas, markup, rect, &world->images, mouseX, mouseY, checkOnly, anchor, xSize,
                     ySize, link, clBlue, clGray, 2, &cache, &world->container);
        // What the faces promise, whatever the markup.
        if (xSize < 0 || ySize <= 0 || (onLink != (link >= 1)) || (!onLink && !anchor.empty()))
            std::abort();
    }
    CheckPaintedWithinLayout(markup, Rect(120, 76, 280, 124));
    int width = 0, height = 0;
    const std::string line = DrawHTMLLine(canvas, markup, rect, false, width, height);
    if (line.size() > PreprocessMarkup(markup).Text.size())
        std::abort();
    return 0;
}
