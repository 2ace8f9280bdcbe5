#include "platform/TextCodec.h"

#include <cstdint>
#include <cstring>

namespace {

// Windows-1252 for 0x80..0x9F; the five bytes it leaves unused stand for the C1 control of the
// same value, so every byte has a character and round-trips. From 0xA0 on the byte is the
// code point.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t Windows1252(unsigned char b) {
    return b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : b;
}

bool IsContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

void AppendCodePoint(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        // Only mapped single bytes come here: the basic plane is enough.
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// Lists are mostly ASCII: the first byte at or after `i` with the high bit set, eight bytes at
// a time.
std::size_t SkipAscii(std::string_view bytes, std::size_t i) {
    const char* p = bytes.data();
    while (bytes.size() - i >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p + i, 8);
        if (word & 0x8080808080808080ull)
            break;
        i += 8;
    }
    while (i < bytes.size() && static_cast<unsigned char>(p[i]) < 0x80)
        ++i;
    return i;
}

} // namespace

DisplayChar DecodeDisplayChar(std::string_view bytes, std::size_t offset) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data()) + offset;
    const std::size_t left = bytes.size() - offset;
    const unsigned char b = p[0];
    std::size_t length = 0;
    char32_t min = 0;
    char32_t c = 0;
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
        min = 0x80;
        c = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        min = 0x800;
        c = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        min = 0x10000;
        c = b & 0x07;
    }
    // ASCII, a stray continuation byte, C0/C1 (overlong leads) and F5..FF lead nothing.
    if (length == 0 || left < length)
        return {offset, 1, Windows1252(b)};
    for (std::size_t i = 1; i < length; ++i) {
        if (!IsContinuation(p[i]))
            return {offset, 1, Windows1252(b)};
        c = (c << 6) | (p[i] & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return {offset, 1, Windows1252(b)};
    return {offset, length, c};
}

std::size_t DisplayCharStart(std::string_view bytes, std::size_t offset) {
    // A byte that is no continuation byte always starts a character: no valid sequence holds
    // one past its lead. A continuation byte belongs to the nearest lead within three bytes
    // before it when that lead's sequence is valid and reaches it; else it stands alone.
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    if (!IsContinuation(p[offset]))
        return offset;
    for (std::size_t back = 1; back <= 3 && back <= offset; ++back) {
        const std::size_t lead = offset - back;
        if (IsContinuation(p[lead]))
            continue;
        const DisplayChar c = DecodeDisplayChar(bytes, lead);
        return lead + c.length > offset ? lead : offset;
    }
    return offset;
}

bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t i = SkipAscii(bytes, 0); i < bytes.size(); i = SkipAscii(bytes, i)) {
        const DisplayChar c = DecodeDisplayChar(bytes, i);
        if (c.length == 1) // a byte of 0x80 or more on its own is not UTF-8
            return false;
        i += c.length;
    }
    return true;
}

void AppendDisplayUtf8(std::string& out, std::string_view bytes) {
    out.reserve(out.size() + bytes.size());
    for (std::size_t i = 0;;) {
        const std::size_t ascii = SkipAscii(bytes, i);
        out.append(bytes.substr(i, ascii - i));
        if (ascii == bytes.size())
            return;
        const DisplayChar c = DecodeDisplayChar(bytes, ascii);
        if (c.length > 1)
            out.append(bytes.substr(ascii, c.length)); // valid UTF-8 shows as it is
        else
            AppendCodePoint(out, c.ch);
        i = ascii + c.length;
    }
}

std::string DisplayUtf8(std::string_view bytes) {
    std::string out;
    AppendDisplayUtf8(out, bytes);
    return out;
}
