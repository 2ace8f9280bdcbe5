#include "htmllabel/GifFrames.h"

#include <algorithm>

namespace {

// From a frame start: the extension's four data bytes and its terminator, then the image
// descriptor's separator and its position and size.
constexpr std::size_t kSeparator = 8;
constexpr std::size_t kDescriptorEnd = kSeparator + 9;

int Word(std::span<const std::uint8_t> b, std::size_t at) {
    return b[at] | b[at + 1] << 8;
}

bool IsFrameStart(std::span<const std::uint8_t> b, std::size_t at) {
    return b.size() - at >= kDescriptorEnd && b[at] == 0x21 && b[at + 1] == 0xF9 &&
           b[at + 2] == 0x04 && b[at + kSeparator] == 0x2C;
}

} // namespace

bool IsGif(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= 4 && bytes[0] == 'G' && bytes[1] == 'I' && bytes[2] == 'F' &&
           bytes[3] == '8';
}

std::vector<std::size_t> GifFrameStarts(std::span<const std::uint8_t> bytes) {
    std::vector<std::size_t> starts;
    for (std::size_t at = 0; at < bytes.size(); ++at)
        if (IsFrameStart(bytes, at))
            starts.push_back(at);
    return starts;
}

int CountGifFrames(std::span<const std::uint8_t> bytes) {
    if (!IsGif(bytes))
        return -1;
    return static_cast<int>(GifFrameStarts(bytes).size());
}

TGifFrame ExtractGifFrame(std::span<const std::uint8_t> bytes, int frame) {
    TGifFrame out;
    if (IsGif(bytes) && bytes.size() >= 10) {
        out.ScreenWidth = Word(bytes, 6);
        out.ScreenHeight = Word(bytes, 8);
    }
    const std::vector<std::size_t> starts =
        IsGif(bytes) ? GifFrameStarts(bytes) : std::vector<std::size_t>{};
    if (starts.empty()) {
        out.Bytes.assign(bytes.begin(), bytes.end());
        return out;
    }
    const std::size_t selected =
        static_cast<std::size_t>(std::clamp(frame, 1, static_cast<int>(starts.size())) - 1);
    const std::size_t start = starts[selected];
    out.Left = Word(bytes, start + kSeparator + 1);
    out.Top = Word(bytes, start + kSeparator + 3);
    out.Width = Word(bytes, start + kSeparator + 5);
    out.Height = Word(bytes, start + kSeparator + 7);
    out.Bytes.assign(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(starts[0]));
    out.Bytes.insert(out.Bytes.end(), bytes.begin() + static_cast<std::ptrdiff_t>(start),
                     bytes.end());
    return out;
}
