#pragma once
// The editor's keyboard, after the control's handlers had their say: a key down and a typed
// character, each handled in its fixed order over the key tables (MemoKeyTable), the text
// operations and the model.

#include <cstdint>

#include "platform/Types.h"

class TMemoEditing;

class TMemoKeyboard {
public:
    explicit TMemoKeyboard(TMemoEditing& editing) : editing_(editing) {}

    /// A key down: keys that may change text re-validate the caret, the key-down table runs,
    /// and Insert tells of the new status.
    void KeyDown(std::uint16_t key, TShiftState shift);
    /// A typed character: copy, typing (with the word completion step at a word's end), or
    /// the command of a control character.
    void KeyPress(char key);

private:
    TMemoEditing& editing_;
};
