// Markup of any bytes is laid out, painted on an off-screen bitmap, measured and hit-tested at
// a point the input chooses. Images come from a small image list and a container, so picture
// tags take room; the cache starts empty for each input.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "htmllabel/DrawHTML.h"
#include "htmllabel/PictureContainer.h"
#include "platform/Forms.h"
#include "platform/ImageList.h"

namespace {

struct World {
    TBitmap bitmap{160, 48};
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
    int width = 0, height = 0;
    const std::string line = DrawHTMLLine(canvas, markup, rect, false, width, height);
    if (line.size() > PreprocessMarkup(markup).Text.size())
        std::abort();
    return 0;
}
