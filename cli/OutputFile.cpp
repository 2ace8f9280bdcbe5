#include "cli/OutputFile.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
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

namespace {

/// The file that `fileName` leads to, links followed; for a name that leads nowhere yet, its
/// folder's path so resolved and its own name. Empty when there is no such name to make.
std::string TargetPath(const std::string& fileName) {
    if (char* real = ::realpath(fileName.c_str(), nullptr)) {
        std::string target = real;
        std::free(real);
        return target;
    }
    const std::filesystem::path path(fileName);
    const std::string name = path.filename().string();
    if (name.empty() || name == "." || name == "..")
        return {};
    const std::string folder = path.has_parent_path() ? path.parent_path().string() : ".";
    char* real = ::realpath(folder.c_str(), nullptr);
    if (real == nullptr)
        return {};
    std::string target = real;
    std::free(real);
    return (target == "/" ? "" : target) + "/" + name;
}

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

/// Whether `status` is the file of standard input, output or error: replacing it would cut
/// the stream off from its name (/dev/stderr, a shell's redirection), so it is written in place.
bool IsAStandardStream(const struct stat& status) {
    for (int fd = 0; fd < 3; ++fd) {
        if (SameFile(status, StatusOf(fd)))
            return true;
    }
    return false;
}

mode_t CreationMode() {
    // What open(2) would give a new file: umask can only be read by setting it; nothing else
    // runs while the outputs are opened.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

OutputFile::OutputFile(const std::string& fileName, int standardOutputFd, const ListGuard* lists,
                       std::string_view what)
    : fileName_(fileName), buffer_(std::make_unique_for_overwrite<char[]>(kBufferSize)),
      lists_(lists), what_(what) {
    if (fileName == kStandardOutputName) {
        fd_ = standardOutputFd;
        return;
    }
    struct stat status {};
    const bool exists = ::stat(fileName.c_str(), &status) == 0;
    struct stat link {};
    const bool danglingLink = !exists && ::lstat(fileName.c_str(), &link) == 0;
    if (exists ? S_ISREG(status.st_mode) && !IsAStandardStream(status) : !danglingLink)
        target_ = TargetPath(fileName);
    if (target_.empty())
        OpenInPlace();
    else
        OpenReplacement(exists ? &status : nullptr);
}

void OutputFile::OpenInPlace() {
    // Opened without truncation, so the file can be told from the lists before any byte of
    // it goes: the name may have come to lead to a list since it was checked.
    fd_ = ::open(fileName_.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0)
        throw core::FileOpenError(fileName_, SystemReason(errno));
    ownsFd_ = true;
    const core::FileIdentity identity = core::DescriptorIdentity(fd_);
    try {
        if (lists_ != nullptr)
            lists_->Check(identity, what_);
        // Only a regular file has bytes to drop; a device or a pipe takes what comes.
        if (identity.holdsData && ::ftruncate(fd_, 0) != 0 && errno != EINVAL)
            throw core::FileOpenError(fileName_, SystemReason(errno));
    } catch (...) {
        ::close(fd_); // no destructor runs for an object never made
        throw;
    }
}

void OutputFile::OpenReplacement(const struct stat* existing) {
    mode_t mode = CreationMode();
    if (existing != nullptr) {
        // Only a file that may be written is replaced, and never a list (checked again at the
        // rename).
        const int fd = ::open(fileName_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            throw core::FileOpenError(fileName_, SystemReason(errno));
        const core::FileIdentity identity = core::DescriptorIdentity(fd);
        ::close(fd);
        if (lists_ != nullptr)
            lists_->Check(identity, what_);
        mode = existing->st_mode & 07777;
    }
    try {
        temporary_ = std::make_unique<TemporaryPath>(target_ + ".partial.XXXXXX", false);
    } catch (const std::system_error& error) {
        throw core::FileOpenError(fileName_, error.code().message());
    }
    fd_ = temporary_->TakeDescriptor();
    ownsFd_ = true;
    ::fchmod(fd_, mode);
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

struct stat OutputFile::TargetStatus() const {
    if (target_.empty())
        return StatusOf(fd_);
    struct stat status {};
    if (::stat(target_.c_str(), &status) != 0)
        status = {};
    return status;
}

bool OutputFile::SharesTargetWith(const OutputFile& other) const {
    return fd_ == other.fd_ || SameFile(StatusOf(fd_), StatusOf(other.fd_));
}

bool OutputFile::ClashesWith(const OutputFile& other) const {
    if (fd_ == other.fd_)
        return false; // standard output twice: one after the other, appending
    if (!target_.empty() && target_ == other.target_)
        return true; // one name replaced twice
    const struct stat mine = TargetStatus();
    return S_ISREG(mine.st_mode) && SameFile(mine, other.TargetStatus());
}

void OutputFile::Finish() {
    Flush();
    if (ownsFd_) {
        ownsFd_ = false;
        if (::close(fd_) != 0 && errno != EINTR)
            throw FileWriteError(fileName_, SystemReason(errno));
    }
    if (temporary_) {
        // The name may have come to lead to a list since it was checked.
        if (lists_ != nullptr)
            lists_->CheckName(target_, what_);
        temporary_->RenameTo(target_);
        temporary_.reset();
    }
}

} // namespace cli
