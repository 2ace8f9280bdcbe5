#include "core/FileBytes.h"

#include <algorithm>
#include <cerrno>
#include <new>
#include <system_error>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace core {

FileOpenError::FileOpenError(const std::string& fileName, const std::string& reason)
    : std::runtime_error("Cannot open file \"" + fileName + "\". " + reason) {}

namespace {

std::string SystemReason(int error) {
    return std::generic_category().message(error);
}

// A FIFO opened without blocking reads as ended until its first writer comes (a producer
// started after us). poll() reports no hang-up before a writer has been seen, so it waits for
// that writer, as a blocking open would have.
void WaitForFirstWriter(int fd) {
    pollfd wanted{fd, POLLIN, 0};
    while (::poll(&wanted, 1, -1) < 0 && errno == EINTR) {
    }
}

} // namespace

InputFile::InputFile(const std::string& fileName, FileKinds kinds) : fileName_(fileName) {
    // Open without blocking, so a FIFO without a writer cannot hang the open itself; the kind
    // is checked on the open descriptor, so a file swapped in between cannot slip through.
    fd_ = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0)
        throw FileOpenError(fileName, SystemReason(errno));
    try {
        struct stat info {};
        if (::fstat(fd_, &info) != 0)
            throw FileOpenError(fileName, SystemReason(errno));
        if (S_ISDIR(info.st_mode))
            throw FileOpenError(fileName, SystemReason(EISDIR));
        regular_ = S_ISREG(info.st_mode);
        if (kinds == FileKinds::RegularOnly && !regular_)
            throw FileOpenError(fileName, "Not a regular file");
        if (regular_) {
            size_ = static_cast<std::uint64_t>(info.st_size);
        } else {
            // Pipes are read to their end like files: switch back to blocking reads.
            const int flags = ::fcntl(fd_, F_GETFL);
            if (flags >= 0)
                ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK);
            if (S_ISFIFO(info.st_mode))
                WaitForFirstWriter(fd_);
        }
    } catch (...) {
        ::close(fd_);
        throw;
    }
}

InputFile::~InputFile() {
    ::close(fd_);
}

std::string InputFile::ReadAll() {
    std::string bytes;
    try {
        // Room for the whole file and one more chunk, so reaching its end needs no growth.
        constexpr std::size_t kChunk = 65536;
        if (size_ > 0)
            bytes.reserve(static_cast<std::size_t>(size_) + kChunk);
        std::size_t used = 0;
        while (true) {
            if (bytes.size() - used < kChunk)
                bytes.resize(std::max(bytes.capacity(), used + kChunk));
            const ssize_t got = ::read(fd_, bytes.data() + used, bytes.size() - used);
            if (got < 0) {
                if (errno == EINTR)
                    continue;
                throw FileOpenError(fileName_, SystemReason(errno));
            }
            if (got == 0)
                break;
            used += static_cast<std::size_t>(got);
        }
        bytes.resize(used);
    } catch (const std::bad_alloc&) {
        throw FileOpenError(fileName_, SystemReason(ENOMEM));
    } catch (const std::length_error&) {
        throw FileOpenError(fileName_, SystemReason(ENOMEM));
    }
    return bytes;
}

std::string ReadFileBytes(const std::string& fileName, FileKinds kinds) {
    return InputFile(fileName, kinds).ReadAll();
}

} // namespace core
