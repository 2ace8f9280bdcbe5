#pragma once
// The files that only live while the tool runs: spill folders and outputs not yet renamed to
// their names. Each is removed by its owner when done (or when an exception unwinds), and
// whatever is left when SIGINT, SIGTERM, SIGHUP or SIGQUIT arrives is removed by the handler
// before the signal takes its usual course. The handler can use no lock and no allocation,
// so the paths live in a fixed table of slots, and a folder is emptied by reading its entries
// with getdents64.

#include <memory>
#include <string>

namespace cli {

class TemporaryPath {
public:
    /// Registers `path` for removal at a signal; a folder's entries go with it.
    TemporaryPath(std::string path, bool folder);
    /// Removes it (a folder with its entries) and forgets it.
    ~TemporaryPath();
    TemporaryPath(const TemporaryPath&) = delete;
    TemporaryPath& operator=(const TemporaryPath&) = delete;

    const std::string& Path() const { return path_; }
    /// Forgets it without removing it: it has become a file of the user's.
    void Keep();

private:
    std::string path_;
    bool folder_;
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
