#pragma once
// Private to the platform: Qt input in the framework's terms.

#include <Qt>

#include <cstdint>

#include "platform/Types.h"

/// The Windows virtual-key code for a Qt key, or 0 when the key has none here.
std::uint16_t VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers);

TShiftState ShiftFrom(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);

Qt::KeyboardModifiers ModifiersFrom(TShiftState shift);
Qt::MouseButtons ButtonsFrom(TShiftState shift);
