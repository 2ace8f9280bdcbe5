#pragma once
// A scratch folder per test, and whole-file helpers.

#include <filesystem>
#include <string>

namespace clitest {

class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    /// The path of `name` inside the folder.
    std::string Path(const std::string& name) const;
    /// Writes `bytes` to `name` and returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path dir_;
};

/// All bytes of `path`, or "<missing>" when it does not exist.
std::string ReadAll(const std::string& path);
bool Exists(const std::string& path);

} // namespace clitest
