// Bytes of any kind decoded as a picture by the platform (BMP, PNG, JPEG, ICO, GIF, as the
// bytes themselves say), then read pixel by pixel at its corners, turned, and drawn scaled
// and colour-keyed. A decode either fails with its status and leaves the image empty, or
// gives an image of a size within the limit; nothing crashes or hangs.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "platform/Graphics2D.h"

namespace {

TBitmap* canvasBitmap = nullptr;

void Check(bool sound, const char* what) {
    if (!sound) {
        std::fprintf(stderr, "picture fuzz: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // Kept to the end of the process: Qt cannot be taken down from exit handlers.
    new TApplication(*argc, *argv, /*offscreen=*/true);
    canvasBitmap = new TBitmap(48, 48);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TImage2D image;
    const TGraphicsStatus status = TImage2D::Decode(std::span(data, size), image);
    if (status != TGraphicsStatus::Ok) {
        Check(image.IsEmpty(), "a failed decode left an image");
        return 0;
    }
    Check(!image.IsEmpty() && image.Width() > 0 && image.Height() > 0, "an empty decoded image");
    Check(static_cast<long long>(image.Width()) * image.Height() <= 64LL * 1024 * 1024,
          "an image past the size limit");
    std::uint32_t argb = 0;
    Check(image.Pixel(image.Width() - 1, image.Height() - 1, argb) == TGraphicsStatus::Ok,
          "the last pixel unreadable");
    Check(image.Pixel(image.Width(), 0, argb) != TGraphicsStatus::Ok, "a pixel past the edge");
    TGraphics2D graphics(canvasBitmap->Canvas());
    graphics.DrawImage(image, {0, 0, 48, 48});
    image.RotateFlip(TRotateFlip::Rotate90FlipX);
    graphics.DrawImage(image, {4, 4, 20, 20},
                       {0, 0, static_cast<float>(image.Width()), static_cast<float>(image.Height())},
                       true, 0xFF000000u, 0xFF404040u);
    return 0;
}
