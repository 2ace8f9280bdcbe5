#include "drawing/PictureDrawing.h"

#include <memory>
#include <new>

#include "drawing/ColorArithmetic.h"
#include "platform/SysUtils.h"

namespace {

constexpr int kWindowsBitmap = 2; // RawFormatCode of a BMP

// The picture's image; wrappers and image go when the caller's scope ends, whatever happens.
template <class Image> std::unique_ptr<Image> Load(const TGDIPPicture& picture) {
    try {
        return std::make_unique<Image>(picture.Bytes());
    } catch (const std::bad_alloc&) {
        throw Exception("Could not allocate memory for image");
    }
}

// Draws `image` into `dest` with every pixel of the colour of its bottom-left pixel left out.
void DrawKeyed(TGPGraphics& g, const TGDIPPicture& picture, const TRectF& dest) {
    auto bitmap = Load<TGPBitmap>(picture);
    const int w = static_cast<int>(bitmap->GetWidth());
    const int h = static_cast<int>(bitmap->GetHeight());
    TARGB corner = 0;
    bitmap->GetPixel(0, h - 1, corner);
    TGPImageAttributes attributes;
    const TARGB key = OpaqueARGB(RedOf(corner), GreenOf(corner), BlueOf(corner));
    attributes.SetColorKey(key, key);
    g.DrawImage(bitmap.get(), dest, 0, 0, static_cast<float>(w), static_cast<float>(h),
                TUnit::UnitPixel, &attributes);
}

} // namespace

void DrawPictureStretched(TGPGraphics& g, TCanvas& /*canvas*/, const TRect& r,
                          const TGDIPPicture& picture) {
    if (picture.Empty() || picture.Bytes().empty())
        return;
    auto image = Load<TGPImage>(picture);
    // A Windows bitmap goes as a bitmap whose bottom-left colour is transparent.
    if (RawFormatCode(*image) == kWindowsBitmap) {
        DrawKeyed(g, picture,
                  {static_cast<float>(r.Left), static_cast<float>(r.Top),
                   static_cast<float>(r.Width()), static_cast<float>(r.Height())});
        return;
    }
    g.DrawImage(image.get(), r.Left, r.Top, r.Width(), r.Height());
}

void DrawPictureAt(TGPGraphics& g, TPoint p, const TGDIPPicture& picture) {
    if (picture.Empty() || picture.Bytes().empty())
        return;
    auto image = Load<TGPImage>(picture);
    const int w = static_cast<int>(image->GetWidth());
    const int h = static_cast<int>(image->GetHeight());
    if (RawFormatCode(*image) == kWindowsBitmap) {
        DrawKeyed(g, picture,
                  {static_cast<float>(p.X), static_cast<float>(p.Y), static_cast<float>(w),
                   static_cast<float>(h)});
        return;
    }
    g.DrawImage(image.get(), p.X, p.Y, w, h);
}
