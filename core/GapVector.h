#pragma once
// A sequence of plain values with a gap at the place last edited: inserting or erasing there
// costs the values inserted or erased, not the values after them, so a run of edits at one
// place of a long sequence stays cheap. Editing elsewhere first moves the gap there, which
// moves only the values between the two places. Reading a value costs one comparison more
// than a plain vector's.

#include <algorithm>
#include <cstddef>
#include <type_traits>
#include <vector>

namespace core {

template <class T> class GapVector {
    static_assert(std::is_trivially_copyable_v<T>, "values are moved as bytes");

public:
    std::size_t size() const { return data_.size() - Gap(); }
    /// Values held, gap included (for memory accounting).
    std::size_t capacity() const { return data_.capacity(); }

    T& operator[](std::size_t i) { return data_[i < gapStart_ ? i : i + Gap()]; }
    const T& operator[](std::size_t i) const { return data_[i < gapStart_ ? i : i + Gap()]; }

    /// Takes `values` over; the gap starts empty at the end.
    void Assign(std::vector<T>&& values) {
        data_ = std::move(values);
        gapStart_ = gapEnd_ = data_.size();
    }
    void Assign(std::size_t count, T value) {
        data_ = std::vector<T>(count, value); // a fresh vector: the old room goes back

        gapStart_ = gapEnd_ = count;
    }
    /// Inserts `count` values from `values` before position `at`.
    void Insert(std::size_t at, const T* values, std::size_t count) {
        Open(at, count);
        std::copy(values, values + count, data_.begin() + static_cast<std::ptrdiff_t>(at));
        gapStart_ += count;
    }
    void Insert(std::size_t at, std::size_t count, T value) {
        Open(at, count);
        std::fill_n(data_.begin() + static_cast<std::ptrdiff_t>(at), count, value);
        gapStart_ += count;
    }
    /// Erases `count` values from position `at`.
    void Erase(std::size_t at, std::size_t count) {
        MoveGap(at);
        gapEnd_ += count;
    }
    /// Calls `f` with every value in order.
    template <class F> void ForEach(F f) {
        for (std::size_t i = 0; i < gapStart_; ++i)
            f(data_[i]);
        for (std::size_t i = gapEnd_; i < data_.size(); ++i)
            f(data_[i]);
    }
    template <class F> void ForEach(F f) const {
        for (std::size_t i = 0; i < gapStart_; ++i)
            f(data_[i]);
        for (std::size_t i = gapEnd_; i < data_.size(); ++i)
            f(data_[i]);
    }

private:
    std::size_t Gap() const { return gapEnd_ - gapStart_; }

    /// Puts the gap before position `at`.
    void MoveGap(std::size_t at) {
        const auto begin = data_.begin();
        const auto pos = [&](std::size_t i) { return begin + static_cast<std::ptrdiff_t>(i); };
        if (at < gapStart_) {
            // The values between `at` and the gap go to the gap's far side.
            std::move_backward(pos(at), pos(gapStart_), pos(gapEnd_));
            gapEnd_ -= gapStart_ - at;
            gapStart_ = at;
        } else if (at > gapStart_) {
            // The values right of the gap up to `at` go to its near side.
            const std::size_t count = at - gapStart_;
            std::move(pos(gapEnd_), pos(gapEnd_ + count), pos(gapStart_));
            gapStart_ = at;
            gapEnd_ += count;
        }
    }

    /// Puts a gap of at least `count` before position `at`. A grown gap has room for a
    /// sixteenth of the values more, so growing stays a small share of the inserts.
    void Open(std::size_t at, std::size_t count) {
        MoveGap(at);
        if (Gap() >= count)
            return;
        const std::size_t gap = count + size() / 16 + 64;
        std::vector<T> grown(data_.size() - Gap() + gap);
        std::copy(data_.begin(), data_.begin() + static_cast<std::ptrdiff_t>(gapStart_),
                  grown.begin());
        std::copy(data_.begin() + static_cast<std::ptrdiff_t>(gapEnd_), data_.end(),
                  grown.begin() + static_cast<std::ptrdiff_t>(gapStart_ + gap));
        data_ = std::move(grown);
        gapEnd_ = gapStart_ + gap;
    }

    std::vector<T> data_;
    std::size_t gapStart_ = 0;
    std::size_t gapEnd_ = 0;
};

} // namespace core
