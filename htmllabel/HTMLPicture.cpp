#include "htmllabel/HTMLPicture.h"

#include <algorithm>
#include <cctype>

#include "core/FileBytes.h"
#include "htmllabel/GifFrames.h"
#include "htmllabel/MarkupText.h"
#include "platform/Graphics.h"
#include "platform/Resources.h"
#include "platform/SysUtils.h"

namespace {

std::span<const std::uint8_t> AsBytes(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

} // namespace

int THTMLPicture::Width() const {
    return image_.IsEmpty() ? 0 : image_.Width();
}

int THTMLPicture::Height() const {
    return image_.IsEmpty() ? 0 : image_.Height();
}

int THTMLPicture::FrameCount() const {
    if (!frameCountKnown_) {
        frameCount_ = CountGifFrames(data_);
        frameCountKnown_ = true;
    }
    return frameCount_;
}

void THTMLPicture::SetFrame(int frame) {
    frame_ = frame;
    if (data_.empty())
        return;
    Build();
    if (OnFrameChange)
        OnFrameChange(this);
}

void THTMLPicture::LoadFromStream(std::span<const std::uint8_t> bytes) {
    TakeBytes(bytes);
    Build();
    Changed();
}

void THTMLPicture::LoadFromFile(const std::string& fileName) {
    try {
        const std::string bytes = core::ReadFileBytes(fileName);
        LoadFromStream(AsBytes(bytes));
    } catch (const std::exception&) {
        Clear();
    }
}

void THTMLPicture::LoadFromURL(std::string_view url) {
    if (StartsWithNoCase(url, 0, "RES://")) {
        source_ = std::string(url);
        if (const auto bytes = ProgramResource(url.substr(6))) {
            try {
                LoadFromStream(*bytes);
            } catch (const Exception&) {
                Clear();
            }
        }
    } else if (StartsWithNoCase(url, 0, "FILE://")) {
        source_ = std::string(url);
        LoadFromFile(std::string(url.substr(7)));
    } else if (!asynch_) {
        pendingURL_ = std::string(url);
        source_ = std::string(url);
    }
}

void THTMLPicture::Assign(const THTMLPicture* source) {
    if (source == this)
        return;
    if (!source) {
        Clear();
        Changed();
        return;
    }
    stretch_ = source->stretch_;
    frame_ = source->frame_;
    source_ = source->source_;
    TakeBytes(source->data_);
    Build();
    Changed();
}

void THTMLPicture::DrawInto(TCanvas& canvas, const TRect& r, bool stretch) const {
    if (empty_ || image_.IsEmpty())
        return;
    // A decoder shows a GIF frame on its logical screen: only the frame's area is the
    // picture.
    TRectF source{0, 0, static_cast<float>(Width()), static_cast<float>(Height())};
    if (frameWidth_ > 0 && frameHeight_ > 0 && Width() == animationWidth_ &&
        Height() == animationHeight_) {
        const int w = std::min(frameWidth_, Width() - std::min(frameX_, Width()));
        const int h = std::min(frameHeight_, Height() - std::min(frameY_, Height()));
        source = {static_cast<float>(frameX_), static_cast<float>(frameY_), static_cast<float>(w),
                  static_cast<float>(h)};
    }
    const TRectF dest =
        stretch ? TRectF{static_cast<float>(r.Left), static_cast<float>(r.Top),
                         static_cast<float>(r.Width()), static_cast<float>(r.Height())}
                : TRectF{static_cast<float>(r.Left), static_cast<float>(r.Top),
                         static_cast<float>(DisplayWidth()), static_cast<float>(DisplayHeight())};
    if (dest.Width <= 0 || dest.Height <= 0 || source.Width <= 0 || source.Height <= 0)
        return;
    TGraphics2D g(canvas);
    g.DrawImage(image_, dest, source, false, 0, 0);
}

// Empty: no bytes, no picture, and no frame or screen size left over to take room.
void THTMLPicture::Clear() {
    TakeBytes({});
    image_ = TImage2D();
    frameX_ = frameY_ = frameWidth_ = frameHeight_ = 0;
    animationWidth_ = animationHeight_ = 0;
}

void THTMLPicture::TakeBytes(std::span<const std::uint8_t> bytes) {
    data_.assign(bytes.begin(), bytes.end());
    empty_ = data_.empty();
    frameCountKnown_ = false;
}

// Decodes the data: of a GIF with frames only the selected frame.
void THTMLPicture::Build() {
    image_ = TImage2D();
    frameX_ = frameY_ = frameWidth_ = frameHeight_ = 0;
    animationWidth_ = animationHeight_ = 0;
    if (data_.empty())
        return;
    const TGifFrame gif = ExtractGifFrame(data_, frame_);
    const TGraphicsStatus status = TImage2D::Decode(gif.Bytes, image_);
    if (status == TGraphicsStatus::OutOfMemory)
        throw Exception("Could not allocate memory for image");
    if (status != TGraphicsStatus::Ok)
        throw Exception("Could not load image. Invalid format");
    // A descriptor may claim any size: the frame is never taken larger than the picture the
    // decoder made, nor placed beyond it.
    frameX_ = std::min(gif.Left, Width());
    frameY_ = std::min(gif.Top, Height());
    frameWidth_ = std::min(gif.Width, Width());
    frameHeight_ = std::min(gif.Height, Height());
    animationWidth_ = gif.ScreenWidth;
    animationHeight_ = gif.ScreenHeight;
}

void THTMLPicture::Changed() {
    if (OnChange)
        OnChange(this);
}
