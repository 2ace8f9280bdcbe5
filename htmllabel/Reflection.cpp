#include "htmllabel/Reflection.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

int ReflectionX(std::string_view markup, int controlWidth, int xSize) {
    std::string squeezed;
    squeezed.reserve(markup.size());
    for (const char c : markup)
        if (c != ' ')
            squeezed.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    if (squeezed.find("align=\"center\"") != std::string::npos)
        return (controlWidth - xSize) / 2;
    if (squeezed.find("align=\"right\"") != std::string::npos)
        return controlWidth - xSize;
    return 0;
}

// std::nearbyint rounds halves to even under the default rounding mode. Rows run from 0, so
// a ramp of no rows gives none.
int ReflectionRowOpacity(int row, int size, int start, int end) {
    if (row >= size)
        return 0;
    const double n = size;
    const double opacity = (n - row) / n * start + row / n * end;
    return std::clamp(static_cast<int>(std::nearbyint(opacity)), 0, 255);
}

std::uint32_t ReflectedPixel(std::uint32_t argb, int opacity) {
    const std::uint32_t alpha = argb >> 24;
    if (alpha == 0)
        return 0;
    const auto scaled =
        static_cast<std::uint32_t>(std::nearbyint(opacity / 255.0 * static_cast<double>(alpha)));
    return (scaled << 24) | (argb & 0x00FFFFFFu);
}
