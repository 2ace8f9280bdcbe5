#pragma once
// A fuzz input read as a command stream: a byte at a time, or the bytes up to a marker; and
// the check that stops a target with its reason when an invariant breaks.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

class ByteInput {
public:
    ByteInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Done() const { return at_ >= size_; }
    /// The next byte, 0 past the end.
    std::uint8_t Next() { return at_ < size_ ? data_[at_++] : 0; }
    /// The bytes up to `end` (or the input's end), and past it.
    std::string_view Until(std::uint8_t end) {
        const std::size_t from = at_;
        while (at_ < size_ && data_[at_] != end)
            ++at_;
        const std::string_view text(reinterpret_cast<const char*>(data_ + from), at_ - from);
        Next();
        return text;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

/// Stops the target, saying which invariant broke, unless `sound`.
inline void Check(bool sound, const char* target, const char* what) {
    if (!sound) {
        std::fprintf(stderr, "%s fuzz: %s\n", target, what);
        std::abort();
    }
}
