#pragma once
// The files that only live while the tool runs: spill folders and outputs not yet renamed to
// their names. Each is removed by its owner when done (or when an exception unwinds), and
// whatever is left when SIGINT, SIGTERM, SIGHUP or SIGQUIT arrives is removed by the handler
// before the signal takes its usual course. The handler can use no lock and no allocation,
// so the paths live in a fixed table of slots, and a folder is emptied by reading its entries
// with getdents64.

#include <memory>
#include <string>
#include <utility>

namespace cli {

class TemporaryPath {
public:
    /// Makes a folder (`folder`) or a file from `pattern`, whose last six characters are
    /// XXXXXX, as mkdtemp and mkstemp do, registered for removal at a signal before it is
    /// made, so that no signal finds it made and not yet registered. Raises std::system_error
    /// with the system's reason. A file is left open: TakeDescriptor.
    TemporaryPath(std::string pattern, bool folder);
    /// Removes it (a folder with its entries) and forgets it.
    ~TemporaryPath();
    TemporaryPath(const TemporaryPath&) = delete;
    TemporaryPath& operator=(const TemporaryPath&) = delete;

    const std::string& Path() const { return path_; }
    /// The descriptor of a file made, for writing; the caller closes it.
    int TakeDescriptor() { return std::exchange(fd_, -1); }
    /// Renames it to `target` and forgets it: it has become a file of the user's. Raises
    /// FileWriteError naming `target` with the system's reason.
    void RenameTo(const std::string& target);

private:
    std::string path_;
    bool folder_;
    int fd_ = -1;
    int slot_ = -1; // -1: not in the table (it was full, or the path too long)
};

/// Creates a folder for spill files in `parent` ($TMPDIR, or /tmp, when empty), removed as
/// above. Raises FileWriteError naming the folder with the system's reason.
class SpillFolder {
public:
    explicit SpillFolder(const std::string& parent);
    /// The path of a file named `name` in it.
    std::string Path(const std::string& name) const { return folder_->Path() + "/" + name; }

private:
    std::unique_ptr<TemporaryPath> folder_;
};

} // namespace cli
