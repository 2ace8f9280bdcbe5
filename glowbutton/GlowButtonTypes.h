#pragma once
// The glow button's small vocabulary, shared by its appearance, its face painter and its
// state machine.

enum class TAdvButtonStyle { bsButton, bsCheck };
enum class TButtonPosition { bpStandalone, bpLeft, bpMiddle, bpRight };
enum class TFocusType { ftBorder, ftHot, ftHotBorder, ftNone };
enum class TDropDownPosition { dpRight, dpBottom };
enum class TDropDownDirection { ddDown, ddRight };

/// What the face shows; Checked is the down state of a grouped or checked button.
enum class TButtonFaceState { Up, Disabled, Down, Checked };
enum class TButtonSizeState { bsGlyph, bsLabel, bsLarge };
