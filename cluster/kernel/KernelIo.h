#pragma once
// The kernel's input and output. dyadlist-cluster hands it memory files (memfd) rather than
// pipes: the input is mapped, not copied, and the output lands in pages the worker maps in
// turn, so a task's bytes are copied once on each side. A pipe still works (by hand, in a
// shell), read into memory.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace cluster {

/// Bytes in memory taken straight from the system, in huge pages where it offers them; they
/// grow by remapping, never by copying, and are never cleared ahead.
class GrowingBytes {
public:
    GrowingBytes() = default;
    explicit GrowingBytes(std::size_t capacity) { Reserve(capacity); }
    ~GrowingBytes();
    GrowingBytes(GrowingBytes&& other) noexcept;
    GrowingBytes& operator=(GrowingBytes&& other) noexcept;
    GrowingBytes(const GrowingBytes&) = delete;
    GrowingBytes& operator=(const GrowingBytes&) = delete;

    void Reserve(std::size_t capacity);
    void Append(const void* bytes, std::size_t size) {
        if (size_ + size > capacity_)
            Reserve(std::max(capacity_ * 2, size_ + size));
        if (size != 0)
            __builtin_memcpy(data_ + size_, bytes, size);
        size_ += size;
    }
    /// Room for `size` more bytes at End(), to be claimed by Grow.
    char* End() { return data_ + size_; }
    void Grow(std::size_t size) { size_ += size; }
    std::size_t Capacity() const { return capacity_; }
    std::string_view View() const { return {data_, size_}; }

private:
    char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

/// Standard input whole: mapped when it is a file, read when it is a pipe.
class Input {
public:
    Input();
    ~Input();
    Input(const Input&) = delete;
    Input& operator=(const Input&) = delete;
    std::string_view Bytes() const { return bytes_; }

private:
    void* mapped_ = nullptr;
    std::size_t mappedSize_ = 0;
    GrowingBytes read_;
    std::string_view bytes_;
};

/// Standard output through a buffer of its own.
class Output {
public:
    Output() : buffer_(std::make_unique_for_overwrite<char[]>(kBuffer)) {}
    void Write(std::string_view bytes);
    void Number(std::uint64_t value) {
        Write(std::string_view(reinterpret_cast<const char*>(&value), sizeof value));
    }
    void Flush();

private:
    static constexpr std::size_t kBuffer = 1 << 20;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
};

} // namespace cluster
