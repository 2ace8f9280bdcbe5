#pragma once
// Reading a whole file into bytes, exactly as stored: no character set conversion, a byte
// order mark stays as bytes. Any failure raises FileOpenError with the message
// "Cannot open file "NAME". REASON", REASON being the system's own words.

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

} // namespace core
