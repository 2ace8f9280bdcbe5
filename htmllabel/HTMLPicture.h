#pragma once
// THTMLPicture: a picture for markup, kept as its file's bytes exactly as loaded (BMP, PNG,
// JPEG, GIF, ICO) and decoded by the platform's image decoders. Of an animated GIF one frame
// is shown, chosen by Frame.
//
// Decisions of ours:
// - A Frame outside 1..FrameCount() shows the nearest frame there is.
// - A "RES://" picture that does not decode stays empty and raises nothing, as a file does:
//   a picture named by markup is drawn in a paint, which must not fail.
// - The decoders either give a picture or say why not, so of the loader's failures only two
//   remain: "Could not load image. Invalid format" and "Could not allocate memory for image".
// - Downloads are not part of this program: a reference other than "RES://" and "FILE://"
//   is remembered and the picture stays empty; the download events are never raised.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Graphics2D.h"
#include "platform/Types.h"

class TCanvas;

class THTMLPicture : public TObject {
public:
    THTMLPicture() = default;

    bool Empty() const { return empty_; }
    /// The decoded picture's size in pixels (0 without one). Of a GIF frame this is the
    /// decoder's picture, which may be the whole logical screen.
    int Width() const;
    int Height() const;
    /// The selected GIF frame's descriptor; 0 for other pictures.
    int FrameXPos() const { return frameX_; }
    int FrameYPos() const { return frameY_; }
    int FrameWidth() const { return frameWidth_; }
    int FrameHeight() const { return frameHeight_; }
    /// The GIF's logical screen; 0 for other pictures.
    int AnimationWidth() const { return animationWidth_; }
    int AnimationHeight() const { return animationHeight_; }
    /// A picture's size is its image's: setting it does nothing.
    void SetWidth(int) {}
    void SetHeight(int) {}
    /// The size the markup lays the picture out with: the frame's when it has one, else the
    /// picture's; 0 without a decoded picture. A frame is never larger than the picture.
    int DisplayWidth() const { return Width() == 0 ? 0 : frameWidth_ ? frameWidth_ : Width(); }
    int DisplayHeight() const { return Height() == 0 ? 0 : frameHeight_ ? frameHeight_ : Height(); }

    /// -1 for a picture that is not a GIF, else its number of frames (counted once per data).
    int FrameCount() const;
    int Frame() const { return frame_; }
    /// Stores the frame; with data, shows it and raises OnFrameChange.
    void SetFrame(int frame);

    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch) { stretch_ = stretch; }
    bool Asynch() const { return asynch_; }
    void SetAsynch(bool asynch) { asynch_ = asynch; }
    /// The reference the picture was loaded from; the cache finds pictures by it.
    const std::string& Source() const { return source_; }
    const std::string& PendingURL() const { return pendingURL_; }
    const std::vector<std::uint8_t>& Data() const { return data_; }

    /// Takes the bytes, decodes them and raises OnChange. Bytes that do not decode raise
    /// "Could not load image. Invalid format" ("Could not allocate memory for image" when too
    /// large); the bytes are kept.
    void LoadFromStream(std::span<const std::uint8_t> bytes);
    /// The file's bytes as LoadFromStream takes them; a file that cannot be read or decoded
    /// leaves the picture empty and raises nothing.
    void LoadFromFile(const std::string& fileName);
    /// "RES://NAME" (any case): the program's data resource NAME, when there is one.
    /// "FILE://PATH": the file. Anything else: remembered as pending; nothing is loaded.
    void LoadFromURL(std::string_view url);
    /// Copies stretch, frame, source and data and decodes them; nullptr empties the picture.
    void Assign(const THTMLPicture* source);
    /// The form's raw bytes, decoded as they are read.
    void ReadData(std::span<const std::uint8_t> bytes) { LoadFromStream(bytes); }
    void WriteData(std::vector<std::uint8_t>& out) const { out = data_; }

    /// With Stretch, the picture fills `r`; otherwise it is drawn at its display size at r's
    /// top-left. Nothing is drawn for an empty picture.
    void Draw(TCanvas& canvas, const TRect& r) const { DrawInto(canvas, r, stretch_); }
    /// The same with stretching chosen by the caller (the markup's WIDTH and HEIGHT).
    void DrawInto(TCanvas& canvas, const TRect& r, bool stretch) const;

    TNotifyEvent OnChange;
    TNotifyEvent OnFrameChange;
    TNotifyEvent OnDownLoadError;
    TNotifyEvent OnDownLoadComplete;
    TNotifyEvent OnDownLoadCancel;
    TNotifyEvent OnDownLoadProgress;

private:
    void Clear();
    void TakeBytes(std::span<const std::uint8_t> bytes);
    void Build();
    void Changed();

    std::vector<std::uint8_t> data_;
    bool empty_ = true;
    TImage2D image_;
    bool asynch_ = true;
    mutable int frameCount_ = -1;
    mutable bool frameCountKnown_ = false;
    int frame_ = 1;
    int frameX_ = 0, frameY_ = 0, frameWidth_ = 0, frameHeight_ = 0;
    int animationWidth_ = 0, animationHeight_ = 0;
    std::string source_;
    std::string pendingURL_;
    bool stretch_ = false;
};
