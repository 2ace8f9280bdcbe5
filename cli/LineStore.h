#pragma once
// Copies of lines in blocks that never move, for lines read a buffer at a time that must
// outlive the buffer: the distinct lines of a partition's index, the single hits that near
// misses pair.

#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace cli {

class LineStore {
public:
    /// A copy of `line`, valid as long as the store.
    std::string_view Keep(std::string_view line) {
        if (blocks_.empty() || line.size() > kBlock - used_) {
            if (line.size() >= kBlock / 4) {
                // A long line gets a block of its own, and the current block stays current.
                own_.push_back(std::make_unique_for_overwrite<char[]>(line.size()));
                std::memcpy(own_.back().get(), line.data(), line.size());
                size_ += line.size();
                return {own_.back().get(), line.size()};
            }
            blocks_.push_back(std::make_unique_for_overwrite<char[]>(kBlock));
            used_ = 0;
        }
        size_ += line.size();
        char* const at = blocks_.back().get() + used_;
        std::memcpy(at, line.data(), line.size());
        used_ += line.size();
        return {at, line.size()};
    }

    /// Bytes of the lines kept (a block's pages are touched only as lines fill them).
    std::size_t Size() const { return size_; }

private:
    static constexpr std::size_t kBlock = 1 << 20;
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::vector<std::unique_ptr<char[]>> own_;
    std::size_t used_ = 0;
    std::size_t size_ = 0;
};

} // namespace cli
