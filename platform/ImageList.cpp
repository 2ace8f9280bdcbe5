#include "platform/ImageList.h"

#include <QImage>
#include <QPainter>

#include <algorithm>

#include "platform/qt/Native.h"

TImageList::TImageList(int width, int height)
    : width_(std::max(1, width)), height_(std::max(1, height)) {}

TImageList::~TImageList() {
    const auto links = std::move(links_);
    for (const Link& link : links)
        if (link.freed)
            link.freed();
}

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

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
    if (enabled) {
        Draw(canvas, x, y, index);
        return;
    }
    QPainter* painter = PainterOf(canvas);
    if (!painter || index < 0 || index >= Count())
        return;
    const QImage& image = ImageOf(*images_[static_cast<std::size_t>(index)]);
    QImage grey = image.convertToFormat(QImage::Format_ARGB32);
    for (int py = 0; py < grey.height(); ++py) {
        auto* row = reinterpret_cast<QRgb*>(grey.scanLine(py));
        for (int px = 0; px < grey.width(); ++px) {
            const int g = qGray(row[px]);
            row[px] = qRgba(g, g, g, qAlpha(row[px]));
        }
    }
    painter->save();
    painter->setOpacity(0.5);
    painter->drawImage(x, y, grey);
    painter->restore();
}

int TImageList::AddChangeLink(std::function<void()> changed, std::function<void()> freed) {
    links_.push_back({nextLink_, std::move(changed), std::move(freed)});
    return nextLink_++;
}

void TImageList::RemoveChangeLink(int key) {
    std::erase_if(links_, [key](const Link& link) { return link.key == key; });
}

void TImageList::Changed() {
    if (OnChange)
        OnChange(this);
    const auto links = links_; // a link may remove itself
    for (const Link& link : links)
        if (link.changed)
            link.changed();
}
