#pragma once
// A fixed-size array of plain values, zeroed, for the comparison's large tables. A large one
// is taken straight from the system: its pages come zeroed and cost nothing until first
// written (nothing is cleared or filled ahead), and from 2 MB on it asks for huge pages where
// the system offers them, which spares the processor most of its address translations on
// random access. A small one comes from the heap, cleared.

#include <sys/mman.h>

#include <cstddef>
#include <cstdlib>
#include <new>
#include <type_traits>
#include <utility>

namespace core {

template <class T> class BigArray {
    static_assert(std::is_trivially_copyable_v<T>, "the pages come zeroed, not constructed");

public:
    BigArray() = default;
    explicit BigArray(std::size_t size) : size_(size) {
        if (size == 0)
            return;
        const std::size_t bytes = size * sizeof(T);
        if (bytes < kSystemBytes) {
            data_ = static_cast<T*>(std::calloc(size, sizeof(T)));
            if (!data_)
                throw std::bad_alloc();
            return;
        }
        void* memory =
            ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (memory == MAP_FAILED)
            throw std::bad_alloc();
        if (bytes >= (std::size_t{2} << 20))
            ::madvise(memory, bytes, MADV_HUGEPAGE); // a hint: refused or ignored is fine
        data_ = static_cast<T*>(memory);
    }
    ~BigArray() {
        if (!data_)
            return;
        if (size_ * sizeof(T) < kSystemBytes)
            std::free(data_);
        else
            ::munmap(data_, size_ * sizeof(T));
    }
    BigArray(BigArray&& other) noexcept
        : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}
    BigArray& operator=(BigArray&& other) noexcept {
        std::swap(data_, other.data_);
        std::swap(size_, other.size_);
        return *this;
    }

    std::size_t size() const { return size_; }
    T& operator[](std::size_t i) { return data_[i]; }
    const T& operator[](std::size_t i) const { return data_[i]; }
    T* data() { return data_; }
    const T* data() const { return data_; }

private:
    static constexpr std::size_t kSystemBytes = 256 << 10;

    T* data_ = nullptr;
    std::size_t size_ = 0;
};

} // namespace core
