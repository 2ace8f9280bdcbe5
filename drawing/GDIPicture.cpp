#include "drawing/GDIPicture.h"

#include "core/FileBytes.h"
#include "drawing/AdvGDIP.h"
#include "drawing/PictureDrawing.h"
#include "platform/Graphics.h"

void TGDIPPicture::RefreshSize() {
    if (empty_ || bytes_.empty())
        return;
    TGPImage image(bytes_);
    width_ = static_cast<int>(image.GetWidth());
    height_ = static_cast<int>(image.GetHeight());
}

void TGDIPPicture::Changed() {
    if (OnChange)
        OnChange(this);
}

void TGDIPPicture::Cleared() {
    if (OnClear)
        OnClear(this);
}

// Every assignment tells the owner, so a button sized to its picture follows a new one.
void TGDIPPicture::Assign(const TGDIPPicture* source) {
    if (!source) {
        bytes_.clear();
        empty_ = true;
        width_ = height_ = 0; // an empty picture takes no room
        Cleared();
        Changed();
        return;
    }
    if (source == this)
        return;
    bytes_ = source->bytes_;
    empty_ = bytes_.empty();
    RefreshSize();
    Changed();
}

void TGDIPPicture::Assign(const TBitmap& bitmap) {
    bytes_ = bitmap.SaveToBytes();
    empty_ = bytes_.empty();
    RefreshSize();
    Changed();
}

void TGDIPPicture::LoadFromFile(const std::string& fileName) {
    std::string content;
    try {
        content = core::ReadFileBytes(fileName);
    } catch (const std::exception&) {
        bytes_.clear();
        empty_ = true;
        return;
    }
    bytes_.assign(content.begin(), content.end());
    empty_ = false;
    Cleared();
    RefreshSize();
    Changed();
}

void TGDIPPicture::LoadFromStream(const std::vector<std::uint8_t>* stream) {
    if (!stream)
        return;
    bytes_ = *stream;
    empty_ = false;
    RefreshSize();
    Changed();
}

void TGDIPPicture::ReadData(std::span<const std::uint8_t> bytes) {
    bytes_.assign(bytes.begin(), bytes.end());
    empty_ = false;
}

void TGDIPPicture::SaveToStream(std::vector<std::uint8_t>& stream) const {
    stream.insert(stream.end(), bytes_.begin(), bytes_.end());
}

void TGDIPPicture::Draw(TCanvas& canvas, const TRect& r) const {
    TGPGraphics g(canvas);
    DrawPictureStretched(g, canvas, r, *this);
}
