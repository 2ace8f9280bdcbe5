#pragma once
// A file with given bytes in a fresh temporary folder, removed with the object.

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include <unistd.h>

class TempFile {
public:
    explicit TempFile(std::string_view bytes, const std::string& name = "list.txt") {
        std::string pattern = (std::filesystem::temp_directory_path() / "dyadlist-XXXXXX").string();
        dir_ = mkdtemp(pattern.data());
        path_ = dir_ / name;
        std::ofstream(path_, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    }
    ~TempFile() { std::filesystem::remove_all(dir_); }
    std::string Path() const { return path_.string(); }
    std::filesystem::path Dir() const { return dir_; }

private:
    std::filesystem::path dir_;
    std::filesystem::path path_;
};
