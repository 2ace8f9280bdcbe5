#include "cluster/kernel/KernelIo.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>
#include <system_error>
#include <utility>

namespace cluster {

namespace {

constexpr std::size_t kPage = 4096;

std::size_t PageRounded(std::size_t size) {
    return (size + kPage - 1) / kPage * kPage;
}

void WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw std::system_error(errno, std::generic_category(), "writing standard output");
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

} // namespace

GrowingBytes::~GrowingBytes() {
    if (data_)
        ::munmap(data_, capacity_);
}

GrowingBytes::GrowingBytes(GrowingBytes&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)) {}

GrowingBytes& GrowingBytes::operator=(GrowingBytes&& other) noexcept {
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    std::swap(capacity_, other.capacity_);
    return *this;
}

void GrowingBytes::Reserve(std::size_t capacity) {
    capacity = PageRounded(std::max<std::size_t>(capacity, kPage));
    if (capacity <= capacity_)
        return;
    void* memory = data_ ? ::mremap(data_, capacity_, capacity, MREMAP_MAYMOVE)
                         : ::mmap(nullptr, capacity, PROT_READ | PROT_WRITE,
                                  MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        throw std::bad_alloc();
    if (capacity >= (std::size_t{2} << 20))
        ::madvise(memory, capacity, MADV_HUGEPAGE); // a hint: refused or ignored is fine
    data_ = static_cast<char*>(memory);
    capacity_ = capacity;
}

Input::Input() {
    struct stat info {};
    if (::fstat(STDIN_FILENO, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        mappedSize_ = static_cast<std::size_t>(info.st_size);
        mapped_ = ::mmap(nullptr, mappedSize_, PROT_READ, MAP_PRIVATE, STDIN_FILENO, 0);
        if (mapped_ == MAP_FAILED)
            throw std::system_error(errno, std::generic_category(), "mapping standard input");
        ::madvise(mapped_, mappedSize_, MADV_SEQUENTIAL);
        bytes_ = std::string_view(static_cast<const char*>(mapped_), mappedSize_);
        return;
    }
    for (;;) {
        if (read_.Capacity() - read_.View().size() < (1 << 16))
            read_.Reserve(std::max<std::size_t>(read_.Capacity() * 2, 1 << 20));
        const ssize_t n = ::read(STDIN_FILENO, read_.End(), read_.Capacity() - read_.View().size());
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw std::system_error(errno, std::generic_category(), "reading standard input");
        }
        read_.Grow(static_cast<std::size_t>(n));
    }
    bytes_ = read_.View();
}

Input::~Input() {
    if (mapped_)
        ::munmap(mapped_, mappedSize_);
}

void Output::Write(std::string_view bytes) {
    if (used_ + bytes.size() > kBuffer) {
        Flush();
        if (bytes.size() > kBuffer / 2) {
            WriteAll(STDOUT_FILENO, bytes.data(), bytes.size());
            return;
        }
    }
    std::memcpy(buffer_.get() + used_, bytes.data(), bytes.size());
    used_ += bytes.size();
}

void Output::Flush() {
    WriteAll(STDOUT_FILENO, buffer_.get(), used_);
    used_ = 0;
}

} // namespace cluster
