#pragma once
// Keys and typed text as the framework sends them, for any editor a test drives (the control,
// or the model on its own): `editor.Key(key, shift)` is a key down and up, `editor.Char(c)` a
// typed character. And the text as tests read it.

#include <cstdint>
#include <string>
#include <string_view>

#include "memo/model/AdvMemoStrings.h"
#include "platform/Keys.h"
#include "platform/Types.h"

constexpr TShiftState kShift{.Shift = true};
constexpr TShiftState kCtrl{.Ctrl = true};
constexpr TShiftState kCtrlShift{.Shift = true, .Ctrl = true};

/// Each byte typed; '\n' is Enter, '\b' Backspace (each a key, then its character).
template <class Editor> void TypeText(Editor& editor, std::string_view text) {
    for (const char c : text) {
        if (c == '\n')
            editor.Key(VK_RETURN);
        else if (c == '\b')
            editor.Key(VK_BACK);
        editor.Char(c == '\n' ? '\r' : c);
    }
}

/// Ctrl+letter: the key, then its control character.
template <class Editor> void PressCtrlLetter(Editor& editor, char letter) {
    editor.Key(static_cast<std::uint16_t>(letter), kCtrl);
    editor.Char(static_cast<char>(letter - 'A' + 1));
}

/// The lines joined by '|'.
inline std::string JoinedLines(const TAdvMemoStrings& lines) {
    std::string text;
    for (int i = 0; i < lines.Count(); ++i)
        text += std::string(lines.Get(i)) + (i + 1 < lines.Count() ? "|" : "");
    return text;
}
