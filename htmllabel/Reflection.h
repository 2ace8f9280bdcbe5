#pragma once
// The arithmetic of a label's reflection: where it starts across, how opaque each of its rows
// is, and what one mirrored pixel becomes. The label copies what it drew, flips it, and runs
// every pixel through these.

#include <cstdint>
#include <string_view>

/// The reflection's left edge: centred or right-aligned text (an align="center" or
/// align="right" anywhere in the markup, blanks and letter case aside) is mirrored where it
/// stands; else from 0. Centred rounds toward zero.
int ReflectionX(std::string_view markup, int controlWidth, int xSize);

/// The opacity (0-255) of reflection row `row` (0 is the mirror of the text's bottom row): a
/// ramp from `start` at row 0 to `end` at row `size`, rounded half to even, and 0 from row
/// `size` on.
int ReflectionRowOpacity(int row, int size, int start, int end);

/// A mirrored pixel (0xAARRGGBB) seen through a row of `opacity`: the same colour with its
/// alpha scaled by opacity / 255, rounded half to even; a fully transparent pixel stays 0.
std::uint32_t ReflectedPixel(std::uint32_t argb, int opacity);
