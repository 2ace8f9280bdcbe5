#include "htmllabel/PictureContainer.h"

#include <algorithm>
#include <cctype>

#include "htmllabel/MarkupText.h"
#include "platform/SysUtils.h"

namespace {

template <class T> T& At(const std::vector<std::unique_ptr<T>>& items, int index) {
    if (index < 0 || index >= static_cast<int>(items.size()))
        throw EStringListError(index);
    return *items[static_cast<std::size_t>(index)];
}

} // namespace

TPictureItem& TPictureCollection::Items(int index) const {
    return At(items_, index);
}

TPictureItem& TPictureCollection::Add() {
    items_.push_back(std::make_unique<TPictureItem>());
    return *items_.back();
}

void TPictureCollection::Delete(int index) {
    At(items_, index);
    items_.erase(items_.begin() + index);
}

THTMLPicture* TPictureContainer::FindPicture(std::string_view name) const {
    for (int i = 0; i < items_.Count(); ++i)
        if (items_.Items(i).Name().size() == name.size() &&
            StartsWithNoCase(items_.Items(i).Name(), 0, name))
            return &items_.Items(i).Picture();
    return nullptr;
}

THTMLPicture& THTMLPictureCache::AddPicture() {
    pictures_.push_back(std::make_unique<THTMLPicture>());
    return *pictures_.back();
}

THTMLPicture& THTMLPictureCache::Items(int index) const {
    return At(pictures_, index);
}

THTMLPicture* THTMLPictureCache::FindPicture(std::string_view source) const {
    for (const auto& p : pictures_)
        if (p->Source() == source)
            return p.get();
    return nullptr;
}
