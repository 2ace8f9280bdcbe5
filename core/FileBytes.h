#pragma once
// Reading a whole file into bytes, exactly as stored: no character set conversion, a byte
// order mark stays as bytes. Any failure raises FileOpenError with the message
// "Cannot open file "NAME". REASON", REASON being the system's own words.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

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

/// The text of a list file: its bytes before the first NUL, which ends a text. Reading stops
/// at the NUL, so a file of zeros or a device that never ends costs one read. Fails as
/// ReadFileBytes does.
std::string ReadFileText(const std::string& fileName, FileKinds kinds = FileKinds::RegularOnly);

class FileCreateError : public std::runtime_error {
public:
    FileCreateError(const std::string& fileName, const std::string& reason);
};

/// Replaces the content of `fileName` by `bytes`, or creates it. The bytes go to a new file
/// beside it first, which then takes its name, so a failure half way (a full disk) leaves the
/// old file as it was. A file that exists keeps its permissions. Failures raise
/// FileCreateError: "Cannot create file "NAME". REASON".
void WriteFileBytes(const std::string& fileName, std::string_view bytes);

/// What a name or descriptor leads to: one file however it is reached (a link, a hard link,
/// another path, a descriptor).
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    /// Whether writing it would replace bytes that reading it gives: a regular file or a
    /// block device. A terminal, a pipe or /dev/null can be read and written alike.
    bool holdsData = false;

    bool SameFileAs(const FileIdentity& other) const {
        return inode != 0 && device == other.device && inode == other.inode;
    }
};

/// What descriptor `fd` leads to; nothing (inode 0) when it is not open.
FileIdentity DescriptorIdentity(int fd);
/// What `fileName` leads to after links; nothing (inode 0) when it leads nowhere.
FileIdentity PathIdentity(const std::string& fileName);

/// Where the read of an InputFile ends.
enum class ReadEnd {
    FileEnd,  // every byte
    FirstNul, // the read that brings the first NUL is the last one
};

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
    const FileIdentity& Identity() const { return identity_; }

    /// Reads from the current position to the end, or with FirstNul until the first NUL is
    /// among the bytes read (a few more may follow it).
    std::string ReadAll(ReadEnd end = ReadEnd::FileEnd);
    /// Whether the last ReadAll reached the end of the file.
    bool ReachedEnd() const { return reachedEnd_; }
    /// After a ReadAll with FirstNul: how many bytes it read before the first NUL.
    std::size_t TextSize() const { return textSize_; }

private:
    std::string fileName_;
    int fd_ = -1;
    bool regular_ = false;
    std::uint64_t size_ = 0;
    FileIdentity identity_;
    bool reachedEnd_ = false;
    std::size_t textSize_ = 0;
};

} // namespace core
