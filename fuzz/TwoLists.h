#pragma once
// The two lists a fuzz input stands for: the bytes before its first 0xFF byte and those after
// it, or its two halves when it holds none.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

inline std::pair<std::string, std::string> TwoLists(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::size_t split = bytes.find('\xFF');
    if (split == std::string_view::npos)
        split = size / 2;
    return {std::string(bytes.substr(0, split)),
            std::string(bytes.substr(std::min(split + 1, size)))};
}
