#include "TestFiles.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include <stdlib.h>

namespace clitest {

namespace fs = std::filesystem;

ScratchDir::ScratchDir() {
    std::string pattern = (fs::temp_directory_path() / "dyadlist-cli-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a scratch folder");
    dir_ = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
}

std::string ScratchDir::Path(const std::string& name) const {
    return (dir_ / name).string();
}

std::string ScratchDir::Write(const std::string& name, const std::string& bytes) const {
    const std::string path = Path(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "<missing>";
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool Exists(const std::string& path) {
    return fs::exists(path);
}

} // namespace clitest
