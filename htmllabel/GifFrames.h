#pragma once
// Frames of an animated GIF, found in the file's bytes. A frame starts at a graphic control
// extension (0x21 0xF9 0x04) whose image descriptor (0x2C) follows right after its data. Showing
// frame n means passing on every byte except those of the frames before it, so that a decoder
// shows frame n as the picture's first.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

struct TGifFrame {
    /// The bytes to decode: the file less the frames before the selected one.
    std::vector<std::uint8_t> Bytes;
    /// The selected frame's image descriptor (0 when no frame was found).
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    /// The logical screen the frames are placed on.
    int ScreenWidth = 0;
    int ScreenHeight = 0;
};

/// True for the bytes of a GIF file ("GIF8").
bool IsGif(std::span<const std::uint8_t> bytes);

/// Where each frame starts; a start counts only when its whole image descriptor (position and
/// size) lies inside the bytes, so reading it never goes past the end.
std::vector<std::size_t> GifFrameStarts(std::span<const std::uint8_t> bytes);

/// -1 for bytes that are not a GIF, else the number of frame starts.
int CountGifFrames(std::span<const std::uint8_t> bytes);

/// Frame `frame` (1-based; held to the frames there are) of a GIF with at least one frame.
/// Bytes that are not a GIF, or a GIF without frames, come back whole with no frame values
/// but the screen size when there is one.
TGifFrame ExtractGifFrame(std::span<const std::uint8_t> bytes, int frame);
