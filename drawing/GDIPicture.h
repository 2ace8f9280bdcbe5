#pragma once
// TGDIPPicture: the picture of a glow button, kept as the bytes of an image file (BMP, PNG,
// JPEG, GIF, ICO...) and decoded by the 2D graphics layer each time it is drawn or sized.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/Types.h"

class TBitmap;
class TCanvas;

class TGDIPPicture : public TObject {
public:
    TGDIPPicture() = default;

    /// True when new, after clearing, and when a load found no bytes.
    bool Empty() const { return empty_; }
    /// The size found by the last size refresh (0 when the bytes do not decode).
    int Width() const { return width_; }
    int Height() const { return height_; }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

    /// From nothing (nullptr): the bytes and the size go, the picture is empty and OnClear is
    /// raised. From another picture: its bytes, empty when it has none, and a size refresh.
    /// Either way OnChange follows, so the owner takes in the new picture.
    void Assign(const TGDIPPicture* source);
    /// From a platform bitmap: its file form (a BMP); an empty bitmap empties the picture.
    /// A size refresh, then OnChange.
    void Assign(const TBitmap& bitmap);
    /// The file's bytes, then OnClear, a size refresh and OnChange. A file that cannot be read
    /// leaves the picture empty and reports nothing.
    void LoadFromFile(const std::string& fileName);
    /// The stream's bytes, a size refresh and OnChange; no stream, nothing happens.
    void LoadFromStream(const std::vector<std::uint8_t>* stream);
    /// The form file's raw bytes: no longer empty, and no size refresh.
    void ReadData(std::span<const std::uint8_t> bytes);
    /// The raw bytes, as the form file and a stream hold them.
    void SaveToStream(std::vector<std::uint8_t>& stream) const;
    /// A picture's size is its image's: setting it does nothing.
    void SetWidth(int) {}
    void SetHeight(int) {}

    /// DrawPictureStretched into `r` on a graphics made for the canvas.
    void Draw(TCanvas& canvas, const TRect& r) const;

    TNotifyEvent OnChange;
    TNotifyEvent OnClear;

private:
    void RefreshSize();
    void Changed();
    void Cleared();

    std::vector<std::uint8_t> bytes_;
    bool empty_ = true;
    int width_ = 0;
    int height_ = 0;
};
