#pragma once
// A buffered writer on a file descriptor for the entry lists, which can run to billions of
// lines: entries are copied into one large buffer and written with write(2) when it fills.
// Failures raise FileWriteError with the system's reason (a full disk, a closed pipe: EPIPE,
// as the tool ignores SIGPIPE).

#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <sys/stat.h>

#include "cli/TemporaryFiles.h"
#include "core/FileBytes.h"

namespace cli {

/// The list files, which no output may be: writing one would destroy a list before, or while,
/// it is read. Raises UsageError naming the output and the list.
class ListGuard {
public:
    void Add(const core::FileIdentity& identity, const std::string& fileName) {
        lists_.push_back({identity, fileName});
    }
    /// Refuses `output` (what `what`, an option or "standard output", writes to) when it is
    /// the same file as a list and writing it would replace the list's bytes.
    void Check(const core::FileIdentity& output, std::string_view what) const;
    /// The same for the file `fileName` names, after links; a name that leads nowhere is no list.
    void CheckName(const std::string& fileName, std::string_view what) const;

private:
    struct List {
        core::FileIdentity identity;
        std::string fileName;
    };
    std::vector<List> lists_;
};

class FileWriteError : public std::runtime_error {
public:
    FileWriteError(const std::string& fileName, const std::string& reason);
};

/// An output file. A regular file, or a name that leads nowhere yet, is written under a
/// temporary name beside it (its name and ".partial." and six characters, removed on every
/// failure and at a signal, TemporaryFiles.h) and renamed to its name by Finish: a failed run
/// leaves the file as it was or absent, never cut short. The replacement keeps the old file's
/// permissions; a name that is a link replaces the file it leads to. A device, a pipe, a
/// dangling link or the file of a standard stream is written in place.
class OutputFile {
public:
    static constexpr std::size_t kBufferSize = 1 << 20;

    /// Creates `fileName` (as above); "-" is `standardOutputFd`, which is not closed.
    /// Failing to create the file raises core::FileOpenError. With `lists`, a file that turns
    /// out to be one of them, once open or at the rename, is left as it was, and `what` is
    /// refused as ListGuard::Check refuses it.
    OutputFile(const std::string& fileName, int standardOutputFd, const ListGuard* lists = nullptr,
               std::string_view what = {});
    ~OutputFile();

    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    /// Appends `line` and a LF.
    void WriteLine(std::string_view line) {
        if (line.size() < kBufferSize - used_) {
            std::memcpy(buffer_.get() + used_, line.data(), line.size());
            used_ += line.size();
            buffer_[used_++] = '\n';
            return;
        }
        WriteLineSlow(line);
    }

    /// Writes out what is buffered, then closes the file (not standard output) and reports a
    /// failure of the close, which is where some file systems tell of a full disk; then
    /// renames a replacement to its name.
    void Finish();

    const std::string& FileName() const { return fileName_; }

    /// Whether both write to one place: the same descriptor, or the same file (device, pipe)
    /// opened twice.
    bool SharesTargetWith(const OutputFile& other) const;

    /// Whether both write to one regular file through different descriptions, where they would
    /// overwrite each other (one file named two ways, or a file that is also standard output).
    /// Any other place may be named twice: /dev/null, a terminal, a pipe take both in turn.
    bool ClashesWith(const OutputFile& other) const;

private:
    void OpenInPlace();
    void OpenReplacement(const struct stat* existing);
    /// The status of the file this output ends up as: a replacement's target, else its own.
    struct stat TargetStatus() const;
    void WriteLineSlow(std::string_view line);
    void Flush();
    void WriteAll(const char* data, std::size_t size);

    std::string fileName_;
    int fd_ = -1;
    bool ownsFd_ = false;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
    const ListGuard* lists_;
    std::string what_;
    std::string target_; // a replacement's: the path it is renamed to
    std::unique_ptr<TemporaryPath> temporary_;
};

/// Writes all of `text` to `fd`, raising FileWriteError naming `fileName` on failure.
void WriteText(int fd, std::string_view text, const std::string& fileName);

} // namespace cli
