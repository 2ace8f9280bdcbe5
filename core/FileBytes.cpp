#include "core/FileBytes.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>
#include <system_error>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace core {

FileOpenError::FileOpenError(const std::string& fileName, const std::string& reason)
    : std::runtime_error("Cannot open file \"" + fileName + "\". " + reason) {}

FileCreateError::FileCreateError(const std::string& fileName, const std::string& reason)
    : std::runtime_error("Cannot create file \"" + fileName + "\". " + reason) {}

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

FileIdentity IdentityOf(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
            S_ISREG(info.st_mode) || S_ISBLK(info.st_mode)};
}

} // namespace

FileIdentity DescriptorIdentity(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 ? IdentityOf(info) : FileIdentity{};
}

FileIdentity PathIdentity(const std::string& fileName) {
    struct stat info {};
    return ::stat(fileName.c_str(), &info) == 0 ? IdentityOf(info) : FileIdentity{};
}

InputFile::InputFile(const std::string& fileName, FileKinds kinds) : fileName_(fileName) {
    // Open without blocking, so a FIFO without a writer cannot hang the open itself; the kind
    // is checked on the open descriptor, so a file swapped in between cannot slip through.
    fd_ = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) {
        // A socket cannot be opened at all; the system's "No such device or address" would
        // not say what stands there.
        const int error = errno;
        struct stat info {};
        if (error == ENXIO && ::stat(fileName.c_str(), &info) == 0 && S_ISSOCK(info.st_mode))
            throw FileOpenError(fileName, kinds == FileKinds::RegularOnly ? "Not a regular file"
                                                                          : "Is a socket");
        throw FileOpenError(fileName, SystemReason(error));
    }
    try {
        struct stat info {};
        if (::fstat(fd_, &info) != 0)
            throw FileOpenError(fileName, SystemReason(errno));
        if (S_ISDIR(info.st_mode))
            throw FileOpenError(fileName, SystemReason(EISDIR));
        regular_ = S_ISREG(info.st_mode);
        identity_ = IdentityOf(info);
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

std::string InputFile::ReadAll(ReadEnd end) {
    std::string bytes;
    reachedEnd_ = false;
    textSize_ = 0;
    try {
        // Room for the whole file and one more chunk, so reaching its end needs no growth;
        // only what a read fills is ever written, so room that no byte fills costs no memory.
        // A read that may stop at a NUL asks for that room once the first chunk holds none,
        // so a file of zeros never asks for it.
        constexpr std::size_t kChunk = 1 << 18;
        const auto makeRoom = [&] {
            if (size_ > 0)
                bytes.reserve(static_cast<std::size_t>(size_) + kChunk);
        };
        if (end == ReadEnd::FileEnd)
            makeRoom();
        std::size_t used = 0;
        while (true) {
            bytes.resize(used + kChunk);
            const ssize_t got = ::read(fd_, bytes.data() + used, kChunk);
            if (got < 0) {
                if (errno == EINTR)
                    continue;
                throw FileOpenError(fileName_, SystemReason(errno));
            }
            if (got == 0) {
                reachedEnd_ = true;
                break;
            }
            const char* const fresh = bytes.data() + used;
            const bool first = used == 0;
            used += static_cast<std::size_t>(got);
            if (end == ReadEnd::FirstNul) {
                const void* nul = std::memchr(fresh, '\0', static_cast<std::size_t>(got));
                if (nul != nullptr) {
                    textSize_ =
                        static_cast<std::size_t>(static_cast<const char*>(nul) - bytes.data());
                    break;
                }
                textSize_ = used;
                if (first)
                    makeRoom();
            }
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

std::string ReadFileText(const std::string& fileName, FileKinds kinds) {
    InputFile file(fileName, kinds);
    std::string bytes = file.ReadAll(ReadEnd::FirstNul);
    if (file.TextSize() < bytes.size()) {
        // Stopped at a NUL: the room kept for the rest of the file goes back.
        bytes.resize(file.TextSize());
        bytes.shrink_to_fit();
    }
    return bytes;
}

} // namespace core

namespace core {

void WriteFileBytes(const std::string& fileName, std::string_view bytes) {
    // The new file in the same folder, so that renaming it over the old one is one step.
    const std::size_t slash = fileName.rfind('/');
    std::string temporary =
        (slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1)) +
        ".dyadlist-XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        throw FileCreateError(fileName, SystemReason(errno));
    auto fail = [&](int error) {
        ::close(fd);
        ::unlink(temporary.c_str());
        throw FileCreateError(fileName, SystemReason(error));
    };
    struct stat existing {};
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const mode_t mode =
        ::stat(fileName.c_str(), &existing) == 0 ? existing.st_mode & 07777 : 0666 & ~mask;
    if (::fchmod(fd, mode) != 0)
        fail(errno);
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            fail(errno);
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0)
        fail(errno);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        throw FileCreateError(fileName, SystemReason(error));
    }
    if (::rename(temporary.c_str(), fileName.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        throw FileCreateError(fileName, SystemReason(error));
    }
}

} // namespace core
