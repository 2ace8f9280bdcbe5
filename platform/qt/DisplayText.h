#pragma once
// Private to the platform: list text as Qt shows it, through the one display codec.

#include <QString>

#include <string_view>

#include "platform/TextCodec.h"

/// The character that `c` of `bytes` shows as: the codec's, except that the "Symbol" face
/// draws its byte 0xB7 as a bullet.
inline char32_t ShownChar(std::string_view bytes, const DisplayChar& c, bool symbolFont) {
    if (symbolFont && c.length == 1 && static_cast<unsigned char>(bytes[c.offset]) == 0xB7)
        return 0x2022;
    return c.ch;
}

/// The Qt text that shows `bytes`, decoded sequence by sequence.
QString DisplayQString(std::string_view bytes, bool symbolFont = false);

/// 8-bit text as Qt shows it (captions, titles, hints, message boxes).
inline QString QStr(std::string_view bytes) {
    return DisplayQString(bytes);
}
