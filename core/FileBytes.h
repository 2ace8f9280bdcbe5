#pragma once
// Reading a whole file into bytes, exactly as stored: no character set conversion, a byte
// order mark stays as bytes. Any failure raises FileOpenError with the message
// "Cannot open file "NAME". REASON", REASON being the system's own words.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace core {

class FileOpenError : public std::runtime_error {
public:
    FileOpenError(const std::string& fileName, const std::string& reason);
};

enum class FileKinds {
    RegularOnly, // the window: a pipe or device chosen in a dialog would block it
    AnyReadable, // the batch tool: pipes and process substitutions are welcome
};

/// All bytes of `fileName`. A directory fails with the system's "Is a directory"; with
/// RegularOnly, anything but a regular file fails with "Not a regular file"; running out of
/// memory fails with the system's "Cannot allocate memory".
std::string ReadFileBytes(const std::string& fileName, FileKinds kinds = FileKinds::RegularOnly);

/// A file opened for reading by the rules of ReadFileBytes, for readers that take its bytes
/// another way (core::FileText maps regular files). Opening never blocks on a FIFO without a
/// writer; with AnyReadable, a FIFO is ready to read once its first writer has come.
class InputFile {
public:
    InputFile(const std::string& fileName, FileKinds kinds);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    const std::string& FileName() const { return fileName_; }
    int Descriptor() const { return fd_; }
    bool IsRegular() const { return regular_; }
    /// The size at opening; only a regular file has one.
    std::uint64_t Size() const { return size_; }

    /// Reads from the current position to the end.
    std::string ReadAll();

private:
    std::string fileName_;
    int fd_ = -1;
    bool regular_ = false;
    std::uint64_t size_ = 0;
};

} // namespace core
