#include "cli/SpillRecords.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

#include "cli/OutputFile.h"
#include "core/FileBytes.h"

namespace cli {

namespace {

std::string SystemReason(int error) {
    return std::generic_category().message(error);
}

} // namespace

RecordWriter::RecordWriter(std::string fileName, std::size_t bufferSize)
    : fileName_(std::move(fileName)), buffer_(std::make_unique_for_overwrite<char[]>(bufferSize)),
      size_(bufferSize) {
    fd_ = ::open(fileName_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd_ < 0)
        throw FileWriteError(fileName_, SystemReason(errno));
}

RecordWriter::~RecordWriter() {
    if (fd_ >= 0)
        ::close(fd_);
}

void RecordWriter::WriteLine(std::string_view line) {
    WriteNumber(line.size());
    if (line.size() > size_ - used_) {
        Flush();
        if (line.size() > size_) {
            WriteText(fd_, line, fileName_);
            written_ += line.size();
            return;
        }
    }
    std::memcpy(buffer_.get() + used_, line.data(), line.size());
    used_ += line.size();
}

void RecordWriter::Flush() {
    WriteText(fd_, std::string_view(buffer_.get(), used_), fileName_);
    written_ += used_;
    used_ = 0;
}

void RecordWriter::Finish() {
    Flush();
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR)
        throw FileWriteError(fileName_, SystemReason(errno));
}

RecordReader::RecordReader(const std::string& fileName, std::size_t bufferSize)
    : fileName_(fileName), buffer_(std::make_unique_for_overwrite<char[]>(bufferSize)),
      size_(bufferSize) {
    fd_ = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        throw core::FileOpenError(fileName, SystemReason(errno));
}

RecordReader::~RecordReader() {
    ::close(fd_);
}

bool RecordReader::Fill(std::size_t bytes) {
    if (filled_ - used_ >= bytes)
        return true;
    std::memmove(buffer_.get(), buffer_.get() + used_, filled_ - used_);
    filled_ -= used_;
    used_ = 0;
    while (filled_ < bytes) {
        const ssize_t n = ::read(fd_, buffer_.get() + filled_, size_ - filled_);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw core::FileOpenError(fileName_, SystemReason(errno));
        if (n == 0)
            return false;
        filled_ += static_cast<std::size_t>(n);
        fileRead_ += static_cast<std::uint64_t>(n);
    }
    return true;
}

void RecordReader::Damaged() const {
    // Only this run writes these files; another program must have changed one meanwhile.
    throw core::FileOpenError(fileName_, "The temporary file was changed by another program");
}

std::uint64_t RecordReader::ReadNumber() {
    std::uint64_t value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
        if (used_ == filled_ && !Fill(1))
            Damaged();
        const auto byte = static_cast<unsigned char>(buffer_[used_++]);
        value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
        if (byte < 0x80)
            return value;
    }
    Damaged();
}

std::string_view RecordReader::ReadLine() {
    const std::uint64_t size = ReadNumber();
    if (size > size_) {
        // Longer than the buffer: a buffer of its own, kept until the next long line.
        std::unique_ptr<char[]> bigger = std::make_unique_for_overwrite<char[]>(size);
        const std::size_t have = filled_ - used_;
        std::memcpy(bigger.get(), buffer_.get() + used_, have);
        buffer_ = std::move(bigger);
        size_ = size;
        filled_ = have;
        used_ = 0;
    }
    if (!Fill(size))
        Damaged();
    const std::string_view line(buffer_.get() + used_, size);
    used_ += size;
    return line;
}

} // namespace cli
