#include "platform/ImageList.h"

#include <algorithm>

TImageList::TImageList(int width, int height)
    : width_(std::max(1, width)), height_(std::max(1, height)) {}

TImageList::~TImageList() = default;

int TImageList::Add(const TBitmap& image) {
    auto copy = std::make_unique<TBitmap>(width_, height_);
    const int w = std::min(width_, image.Width());
    const int h = std::min(height_, image.Height());
    copy->Canvas().CopyRect(Rect(0, 0, w, h), image, Rect(0, 0, w, h));
    images_.push_back(std::move(copy));
    Changed();
    return Count() - 1;
}

void TImageList::Clear() {
    images_.clear();
    Changed();
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index) const {
    if (index < 0 || index >= Count())
        return;
    canvas.Draw(x, y, *images_[static_cast<std::size_t>(index)]);
}

void TImageList::Changed() {
    if (OnChange)
        OnChange(this);
}
