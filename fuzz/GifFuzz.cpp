// Bytes of any kind taken as a picture: frames counted and cut out, every frame decoded and
// drawn. Failures must come back as the picture's error messages, never as a crash.

#include <cstdint>
#include <cstdlib>
#include <span>

#include "htmllabel/GifFrames.h"
#include "htmllabel/HTMLPicture.h"
#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "platform/SysUtils.h"

namespace {
TBitmap* bitmap = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // Kept to the end of the process: Qt cannot be taken down from exit handlers.
    new TApplication(*argc, *argv, /*offscreen=*/true);
    bitmap = new TBitmap(64, 64);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const int frames = CountGifFrames(bytes);
    if (frames < -1 || (frames >= 0 && !IsGif(bytes)))
        std::abort();
    for (const int frame : {0, 1, 2, frames, frames + 1}) {
        const TGifFrame cut = ExtractGifFrame(bytes, frame);
        // Only whole frames are left out.
        if (cut.Bytes.size() > size || (frames <= 0 && cut.Bytes.size() != size))
            std::abort();
    }
    THTMLPicture picture;
    try {
        picture.LoadFromStream(bytes);
    } catch (const Exception&) {
    }
    for (const int frame : {2, frames}) {
        try {
            picture.SetFrame(frame);
        } catch (const Exception&) {
        }
        picture.Draw(bitmap->Canvas(), Rect(0, 0, 64, 64));
    }
    return 0;
}
