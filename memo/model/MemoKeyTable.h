#pragma once
// The editor's two key tables as data. The key-down table maps a virtual key and a shift
// state to what the key does; the command table maps a key code or control character and a
// shift state to an editor command. A lookup takes the first row that matches.

#include <cstdint>
#include <span>

#include "platform/Types.h"

class TMemoEditing;

/// Which of Shift, Alt and Ctrl a row needs held, and which it needs released.
struct TShiftRule {
    std::uint8_t held = 0;
    std::uint8_t released = 0;
    bool Matches(TShiftState shift) const;
};

using TKeyAction = void (*)(TMemoEditing& editing, int code, TShiftState shift);

struct TKeyDownRow {
    std::uint16_t Key;
    TShiftRule Shift;
    TKeyAction Action;
};

struct TCommandRow {
    int Code;
    TShiftRule Shift;
    bool ChangesText; // run only when the editor is not read-only
    bool MarksLine;   // the caret line gets its modified mark afterwards
    TKeyAction Command;
};

std::span<const TKeyDownRow> KeyDownTable();
std::span<const TCommandRow> CommandTable();

/// The key-down row for `key` and `shift`, or nullptr.
const TKeyDownRow* FindKeyDown(std::uint16_t key, TShiftState shift);
/// The command row for `code` and `shift` that may run (`readOnly` skips the text changes),
/// or nullptr.
const TCommandRow* FindCommand(int code, TShiftState shift, bool readOnly);

/// Runs the command of a key code or control character with `shift`; a command that marks its
/// line gives the caret line its modified mark afterwards.
void RunCommand(TMemoEditing& editing, int code, TShiftState shift);
