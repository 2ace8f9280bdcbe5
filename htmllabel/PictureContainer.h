#pragma once
// The two stores that markup pictures come from besides an image list: a TPictureContainer
// holds named pictures, and each label's THTMLPictureCache holds the pictures that markup
// loaded by reference ("RES://", "FILE://").

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "htmllabel/HTMLPicture.h"
#include "platform/FreeNotification.h"
#include "platform/Types.h"

class TPictureItem : public TObject {
public:
    THTMLPicture& Picture() { return picture_; }
    const THTMLPicture& Picture() const { return picture_; }
    /// Copies the picture's settings and bytes.
    void SetPicture(const THTMLPicture& picture) { picture_.Assign(&picture); }
    const std::string& Name() const { return name_; }
    void SetName(std::string_view name) { name_ = std::string(name); }
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

private:
    THTMLPicture picture_;
    std::string name_;
    int tag_ = 0;
};

class TPictureCollection : public TObject {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    /// Item `index`; outside 0..Count()-1 raises "List index out of bounds (%d)".
    TPictureItem& Items(int index) const;
    TPictureItem& Add();
    void Delete(int index);
    void Clear() { items_.clear(); }

private:
    std::vector<std::unique_ptr<TPictureItem>> items_;
};

class TPictureContainer : public TObject {
public:
    TPictureCollection& Items() { return items_; }
    const TPictureCollection& Items() const { return items_; }
    /// The picture of the first item whose name equals `name` in any letter case, or nullptr.
    THTMLPicture* FindPicture(std::string_view name) const;
    std::string Version() const { return "1.0.0.0"; }
    void SetVersion(std::string_view) {}
    /// Labels showing the container's pictures hear of its end through this.
    TFreeNotifier& FreeNotifier() { return freeNotifier_; }

private:
    TFreeNotifier freeNotifier_;
    TPictureCollection items_;
};

class THTMLPictureCache : public TObject {
public:
    int Count() const { return static_cast<int>(pictures_.size()); }
    /// A new empty picture at the end of the cache.
    THTMLPicture& AddPicture();
    /// Picture `index`; outside 0..Count()-1 raises "List index out of bounds (%d)".
    THTMLPicture& Items(int index) const;
    /// The first picture whose Source() equals `source` exactly, or nullptr.
    THTMLPicture* FindPicture(std::string_view source) const;
    void ClearPictures() { pictures_.clear(); }

private:
    std::vector<std::unique_ptr<THTMLPicture>> pictures_;
};
