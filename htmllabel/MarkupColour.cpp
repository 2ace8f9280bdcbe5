#include "htmllabel/MarkupColour.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace {

struct TNamedColour {
    std::string_view Name;
    TColor Value;
};

// Searched in this order; "clblack" maps to 0 like any unknown name.
constexpr TNamedColour kColourNames[] = {
    {"clred", 0x0000FF},
    {"clblack", 0x000000},
    {"clblue", 0xFF0000},
    {"clgreen", 0x008000},
    {"claqua", 0xFFFF00},
    {"clyellow", 0x00FFFF},
    {"clfuchsia", 0xFF00FF},
    {"clwhite", 0xFFFFFF},
    {"cllime", 0x00FF00},
    {"clsilver", 0xC0C0C0},
    {"clgray", 0x808080},
    {"clolive", 0x008080},
    {"clnavy", 0x800000},
    {"clpurple", 0x800080},
    {"clteal", 0x808000},
    {"clmaroon", 0x000080},
    {"clbackground", 0xFF000001},
    {"clactivecaption", 0xFF000002},
    {"clinactivecaption", 0xFF000003},
    {"clmenu", 0xFF000004},
    {"clwindow", 0xFF000005},
    {"clwindowframe", 0xFF000006},
    {"clmenutext", 0xFF000007},
    {"clwindowtext", 0xFF000008},
    {"clcaptiontext", 0xFF000009},
    {"clactiveborder", 0xFF00000A},
    {"clinactiveborder", 0xFF00000B},
    {"clappworkspace", 0xFF00000C},
    {"clhighlight", 0xFF00000D},
    {"clhighlighttext", 0xFF00000E},
    {"clbtnface", 0xFF00000F},
    {"clbtnshadow", 0xFF000010},
    {"clgraytext", 0xFF000011},
    {"clbtntext", 0xFF000012},
    {"clinactivecaptiontext", 0xFF000013},
    {"clbtnhighlight", 0xFF000014},
    {"cl3ddkshadow", 0xFF000015},
    {"cl3dlight", 0xFF000016},
    {"clinfotext", 0xFF000017},
    {"clinfobk", 0xFF000018},
};

TColor HexDigit(std::string_view value, std::size_t at) {
    if (at >= value.size() || !std::isxdigit(static_cast<unsigned char>(value[at])))
        return 0;
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(value[at])));
    return static_cast<TColor>(c >= 'A' ? c - 'A' + 10 : c - '0');
}

TColor HexByte(std::string_view value, std::size_t at) {
    return HexDigit(value, at) * 16 + HexDigit(value, at + 1);
}

} // namespace

TColor ParseColour(std::string_view value) {
    if (value.empty())
        return clNone;
    if (value[0] == '#')
        return HexByte(value, 1) | HexByte(value, 3) << 8 | HexByte(value, 5) << 16;
    std::string name(value);
    std::transform(name.begin(), name.end(), name.begin(), [](char c) {
        return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    });
    for (const TNamedColour& c : kColourNames)
        if (c.Name == name)
            return c.Value;
    return clBlack;
}
