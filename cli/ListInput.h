#pragma once
// A list named on the command line, opened to learn what comparing it in memory would cost
// before anything is loaded: a regular file by its size and the lines estimated from a few
// samples; a stream (pipe, terminal, device, empty /proc file) by reading its first bytes, up
// to what the budget allows. Then it is loaded whole for the in-memory comparison, or read as
// a stream, after those first bytes, for the out-of-core one.

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>

#include "cli/ListReader.h"
#include "core/FileBytes.h"
#include "core/LineText.h"

namespace cli {

class ListInput {
public:
    static constexpr std::uint64_t kUnknown = std::numeric_limits<std::uint64_t>::max();

    /// Opens `fileName` (any readable kind); fails with core::FileOpenError. A regular file
    /// whose in-memory cost fits `budget` is mapped at once, which costs nothing until its
    /// pages are read, so that a file cut while a pipe is awaited is seen to have shrunk.
    ListInput(const std::string& fileName, std::uint64_t budget);

    bool IsStream() const { return !regular_; }
    /// A regular file's size; kUnknown for a stream.
    std::uint64_t Size() const { return regular_ ? file_.Size() : kUnknown; }
    const core::FileIdentity& Identity() const { return file_.Identity(); }

    /// Reads a stream's first bytes until it ends (its end or a NUL) or they would cost more
    /// than `costLimit` in memory.
    void ReadHead(std::uint64_t costLimit);
    /// What the in-memory comparison would hold for this list; kUnknown for a stream read
    /// past its head.
    std::uint64_t InMemoryCost() const;

    /// The whole list, loaded by the load rules.
    core::LoadedList Load();
    /// The list as a stream, from its first byte.
    ListReader& Stream();

private:
    core::InputFile file_;
    bool regular_;
    std::optional<core::FileText> mapped_;
    std::string head_;
    bool headIsAll_ = false;   // the stream ended within its head
    bool headIsWhole_ = false; // and every byte of it was read (no NUL stopped the reading)
    std::uint64_t headLines_ = 0;
    std::unique_ptr<ListReader> reader_;
};

} // namespace cli
