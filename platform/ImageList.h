#pragma once
// A list of equally sized images, drawn by index (the markup's "IDX:" pictures).

#include <functional>
#include <memory>
#include <utility>
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
    /// The same; a disabled image shows in grey at half strength, as the desktop greys the
    /// icons of what cannot be used.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const;

    /// Raised after every change of the images.
    TNotifyEvent OnChange;
    /// Change links: every control showing the list's images hears of its changes, and of
    /// its end (so it lets go of the list), through a link of its own; Add returns the
    /// link's key for Remove.
    int AddChangeLink(std::function<void()> changed, std::function<void()> freed);
    void RemoveChangeLink(int key);

private:
    struct Link {
        int key;
        std::function<void()> changed;
        std::function<void()> freed;
    };
    void Changed();

    std::vector<Link> links_;
    int nextLink_ = 0;

    int width_;
    int height_;
    std::vector<std::unique_ptr<TBitmap>> images_;
};

/// A control's hold on an image list: it follows the list's changes and lets go of a list
/// that ends before the control.
class TImageListLink {
public:
    explicit TImageListLink(std::function<void()> changed) : changed_(std::move(changed)) {}
    ~TImageListLink() { SetList(nullptr); }
    TImageListLink(const TImageListLink&) = delete;
    TImageListLink& operator=(const TImageListLink&) = delete;

    TImageList* List() const { return list_; }
    void SetList(TImageList* list) {
        if (list == list_)
            return;
        if (list_)
            list_->RemoveChangeLink(key_);
        list_ = list;
        if (list_)
            key_ = list_->AddChangeLink(changed_, [this] { list_ = nullptr; });
    }

private:
    std::function<void()> changed_;
    TImageList* list_ = nullptr;
    int key_ = 0;
};
