#pragma once
// References that let go of an object that goes first: the object keeps a TFreeNotifier, and
// each holder a TFreeLink, which the notifier clears when the object is destroyed.

#include <functional>
#include <utility>
#include <vector>

class TFreeNotifier {
public:
    TFreeNotifier() = default;
    TFreeNotifier(const TFreeNotifier&) = delete;
    TFreeNotifier& operator=(const TFreeNotifier&) = delete;
    ~TFreeNotifier() {
        const auto links = std::move(links_);
        for (const auto& link : links)
            link.second();
    }

    /// `freed` runs when the object goes; the key is for Remove.
    int Add(std::function<void()> freed) {
        links_.emplace_back(next_, std::move(freed));
        return next_++;
    }
    void Remove(int key) {
        std::erase_if(links_, [key](const auto& link) { return link.first == key; });
    }

private:
    std::vector<std::pair<int, std::function<void()>>> links_;
    int next_ = 0;
};

/// A holder's reference to a `T` (which offers `TFreeNotifier& FreeNotifier()`): empty again
/// once the object is destroyed, with `freed` run then.
template <class T> class TFreeLink {
public:
    explicit TFreeLink(std::function<void()> freed = {}) : freed_(std::move(freed)) {}
    ~TFreeLink() { Set(nullptr); }
    TFreeLink(const TFreeLink&) = delete;
    TFreeLink& operator=(const TFreeLink&) = delete;

    T* Get() const { return object_; }
    void Set(T* object) {
        if (object == object_)
            return;
        if (object_)
            object_->FreeNotifier().Remove(key_);
        object_ = object;
        if (object_)
            key_ = object_->FreeNotifier().Add([this] {
                object_ = nullptr;
                if (freed_)
                    freed_();
            });
    }

private:
    std::function<void()> freed_;
    T* object_ = nullptr;
    int key_ = 0;
};
