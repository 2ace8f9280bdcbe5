#pragma once
// A list read as a stream, a block at a time, and split by the load rules (core/LineText.h)
// into the same lines as core::LoadedList gives: breaks at CR, LF or CR LF even where a block
// ends between CR and LF, tabs replaced, the first NUL ending the text (nothing after the
// block that holds it is read), and a text without lines read as one empty line. It holds a
// block and the line that spans two blocks, whatever the size of the list, so a pipe is read
// once, as it comes. It gathers the facts of the warnings (InputWarnings.h) on the way.

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

#include "cli/InputWarnings.h"
#include "core/FileBytes.h"

namespace cli {

class ListReader {
public:
    static constexpr std::size_t kBlockSize = 1 << 20;

    /// Reads `file` from where it stands, after `head`, bytes of it read already.
    ListReader(core::InputFile& file, std::string head);

    /// Sets `line` to the next line, valid until the next call; false when none is left.
    bool Next(std::string_view& line);

    /// Bytes read from the file so far, the head included; safe to ask from another thread.
    std::uint64_t BytesRead() const { return bytesRead_.load(std::memory_order_relaxed); }
    /// The facts for the warnings, complete once Next has returned false.
    const InputFacts& Facts() const { return facts_; }

private:
    /// Keeps the unsplit bytes and reads another block after them; false at the file's end.
    bool ReadBlock();
    std::string_view WithTabsReplaced(std::string_view line);

    core::InputFile& file_;
    std::string buffer_;
    std::size_t begin_ = 0;    // the first byte of the buffer not split yet
    std::uint64_t offset_ = 0; // the file offset of buffer_[0]
    bool fileEnded_ = false;   // the last read gave nothing
    bool textEnded_ = false;   // the text's end or its NUL has been split
    bool afterCr_ = false;     // the last line ended at CR: an LF next is part of that break
    std::uint64_t lines_ = 0;  // lines given
    std::string head_;         // the first bytes, for the facts
    std::string replaced_;     // a line with its tabs replaced
    std::atomic<std::uint64_t> bytesRead_{0};
    InputFacts facts_;
};

} // namespace cli
