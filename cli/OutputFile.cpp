#include "cli/OutputFile.h"

#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "cli/Options.h"
#include "core/FileBytes.h"

namespace cli {

namespace {

std::string SystemReason(int error) {
    return std::generic_category().message(error);
}

} // namespace

FileWriteError::FileWriteError(const std::string& fileName, const std::string& reason)
    : std::runtime_error("Cannot write file \"" + fileName + "\". " + reason) {}

void WriteText(int fd, std::string_view text, const std::string& fileName) {
    const char* data = text.data();
    std::size_t size = text.size();
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            throw FileWriteError(fileName, SystemReason(errno));
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
}

void ListGuard::Check(const core::FileIdentity& output, std::string_view what) const {
    for (const List& list : lists_) {
        if (output.holdsData && output.SameFileAs(list.identity))
            throw UsageError(std::string(what) + " would overwrite the list \"" + list.fileName +
                             "\"");
    }
}

void ListGuard::CheckName(const std::string& fileName, std::string_view what) const {
    Check(core::PathIdentity(fileName), what);
}

OutputFile::OutputFile(const std::string& fileName, int standardOutputFd, const ListGuard* lists,
                       std::string_view what)
    : fileName_(fileName), buffer_(std::make_unique_for_overwrite<char[]>(kBufferSize)) {
    if (fileName == kStandardOutputName) {
        fd_ = standardOutputFd;
        return;
    }
    // Opened without truncation, so the file can be told from the lists before any byte of
    // it goes: the name may have come to lead to a list since it was checked.
    fd_ = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0)
        throw core::FileOpenError(fileName, SystemReason(errno));
    ownsFd_ = true;
    const core::FileIdentity identity = core::DescriptorIdentity(fd_);
    try {
        if (lists != nullptr)
            lists->Check(identity, what);
        // Only a regular file has bytes to drop; a device or a pipe takes what comes.
        if (identity.holdsData && ::ftruncate(fd_, 0) != 0 && errno != EINVAL)
            throw core::FileOpenError(fileName, SystemReason(errno));
    } catch (...) {
        ::close(fd_); // no destructor runs for an object never made
        throw;
    }
}

OutputFile::~OutputFile() {
    if (ownsFd_)
        ::close(fd_);
}

void OutputFile::WriteLineSlow(std::string_view line) {
    Flush();
    if (line.size() < kBufferSize) {
        WriteLine(line);
        return;
    }
    // A line longer than the buffer goes out directly.
    WriteAll(line.data(), line.size());
    WriteAll("\n", 1);
}

void OutputFile::Flush() {
    WriteAll(buffer_.get(), used_);
    used_ = 0;
}

void OutputFile::WriteAll(const char* data, std::size_t size) {
    WriteText(fd_, std::string_view(data, size), fileName_);
}

namespace {

/// What fstat says of `fd`; a failure reads as no file at all (st_ino 0).
struct stat StatusOf(int fd) {
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        status = {};
    return status;
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_ino != 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

bool OutputFile::SharesTargetWith(const OutputFile& other) const {
    return fd_ == other.fd_ || SameFile(StatusOf(fd_), StatusOf(other.fd_));
}

bool OutputFile::ClashesWith(const OutputFile& other) const {
    if (fd_ == other.fd_)
        return false; // standard output twice: one after the other, appending
    const struct stat mine = StatusOf(fd_);
    return S_ISREG(mine.st_mode) && SameFile(mine, StatusOf(other.fd_));
}

void OutputFile::Finish() {
    Flush();
    if (ownsFd_) {
        ownsFd_ = false;
        if (::close(fd_) != 0 && errno != EINTR)
            throw FileWriteError(fileName_, SystemReason(errno));
    }
}

} // namespace cli
