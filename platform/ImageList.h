#pragma once
// A list of equally sized images, drawn by index (the markup's "IDX:" pictures).

#include <memory>
#include <vector>

#include "platform/Graphics.h"
#include "platform/Types.h"

class TImageList : public TObject {
public:
    explicit TImageList(int width = 16, int height = 16);
    ~TImageList() override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return static_cast<int>(images_.size()); }

    /// Appends a copy of `image`'s top-left Width() x Height() pixels; returns its index.
    int Add(const TBitmap& image);
    void Clear();
    /// Draws image `index` with its top-left at (x, y); an index outside the list draws
    /// nothing.
    void Draw(TCanvas& canvas, int x, int y, int index) const;

    /// Raised after every change of the images.
    TNotifyEvent OnChange;

private:
    void Changed();

    int width_;
    int height_;
    std::vector<std::unique_ptr<TBitmap>> images_;
};
