#pragma once
// Reading an editor's rendering: where ink is, which colours cover what.

#include <functional>
#include <memory>

#include "memo/AdvMemo.h"
#include "platform/Graphics.h"

/// A colour the editor never paints: a rendering starts from it, so a pixel that the editor
/// leaves alone shows as this and not as a white that looks like background.
inline constexpr TColor kUnpainted = 0x13579B;

/// A rendering that can be returned and read like the bitmap it holds.
class Rendered {
public:
    Rendered() : bitmap_(std::make_unique<TBitmap>()) {}
    TColor Pixel(int x, int y) const { return bitmap_->Pixel(x, y); }
    int Width() const { return bitmap_->Width(); }
    int Height() const { return bitmap_->Height(); }
    operator const TBitmap&() const { return *bitmap_; }
    TBitmap& Bitmap() { return *bitmap_; }

private:
    std::unique_ptr<TBitmap> bitmap_;
};

/// The editor painted onto a bitmap of its size that was first filled with kUnpainted.
inline Rendered Render(TAdvCustomMemo& memo) {
    Rendered rendered;
    TBitmap& bitmap = rendered.Bitmap();
    bitmap.SetSize(memo.Width(), memo.Height());
    bitmap.Canvas().Brush().Style = TBrushStyle::bsSolid;
    bitmap.Canvas().Brush().Color = kUnpainted;
    bitmap.Canvas().FillRect(Rect(0, 0, memo.Width(), memo.Height()));
    memo.PaintTo(bitmap);
    return rendered;
}

/// Dark enough to be glyph ink on any of the light backgrounds the editor uses.
inline bool IsInk(TColor c) {
    const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    return r + g + b < 3 * 0x90;
}

/// The leftmost x in [x0, x1) x [y0, y1) whose pixel passes `test`, or -1.
inline int LeftmostWhere(const TBitmap& b, int x0, int x1, int y0, int y1,
                         const std::function<bool(TColor)>& test) {
    for (int x = x0; x < x1; ++x)
        for (int y = y0; y < y1; ++y)
            if (test(b.Pixel(x, y)))
                return x;
    return -1;
}

inline int CountWhere(const TBitmap& b, int x0, int x1, int y0, int y1,
                      const std::function<bool(TColor)>& test) {
    int n = 0;
    for (int x = x0; x < x1; ++x)
        for (int y = y0; y < y1; ++y)
            n += test(b.Pixel(x, y));
    return n;
}
