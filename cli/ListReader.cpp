#include "cli/ListReader.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#include <unistd.h>

#include "core/LineText.h"

namespace cli {

ListReader::ListReader(core::InputFile& file, std::string head)
    : file_(file), buffer_(std::move(head)) {
    bytesRead_ = buffer_.size();
    head_ = buffer_.substr(0, kWideSample);
    facts_.head = head_;
}

bool ListReader::ReadBlock() {
    // The bytes not split yet go to the front; a line longer than a block grows the buffer.
    buffer_.erase(0, begin_);
    offset_ += begin_;
    begin_ = 0;
    const std::size_t kept = buffer_.size();
    buffer_.resize(kept + kBlockSize);
    ssize_t n;
    do {
        n = ::read(file_.Descriptor(), buffer_.data() + kept, kBlockSize);
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        const int error = errno;
        buffer_.resize(kept);
        throw core::FileOpenError(file_.FileName(), std::generic_category().message(error));
    }
    buffer_.resize(kept + static_cast<std::size_t>(n));
    bytesRead_.fetch_add(static_cast<std::uint64_t>(n), std::memory_order_relaxed);
    if (head_.size() < kWideSample) {
        head_.append(buffer_, kept, kWideSample - head_.size());
        facts_.head = head_;
    }
    fileEnded_ = n == 0;
    return n > 0;
}

bool ListReader::Next(std::string_view& line) {
    for (;;) {
        if (textEnded_) {
            // A text without any line reads as one empty line.
            if (lines_ > 0)
                return false;
            ++lines_;
            line = {};
            return true;
        }
        const char* const end = buffer_.data() + buffer_.size();
        const char* start = buffer_.data() + begin_;
        if (afterCr_) {
            if (start == end) {
                if (fileEnded_ || !ReadBlock())
                    textEnded_ = true;
                continue;
            }
            afterCr_ = false;
            if (*start == '\n') {
                ++facts_.crLf;
                ++begin_;
                continue;
            }
        }
        const char* const lineEnd = core::FindLineEnd(start, end);
        if (lineEnd == end) {
            if (!fileEnded_ && ReadBlock())
                continue;
            // The text's end: its last line, when a break does not end it.
            textEnded_ = true;
            if (start == end)
                continue;
            begin_ = buffer_.size();
            ++lines_;
            line = WithTabsReplaced(std::string_view(start, static_cast<std::size_t>(end - start)));
            return true;
        }
        begin_ = static_cast<std::size_t>(lineEnd - buffer_.data()) + 1;
        if (*lineEnd == '\0') {
            // The NUL ends the text; a line that ends there is one when it holds anything.
            textEnded_ = true;
            facts_.nulAt = offset_ + static_cast<std::uint64_t>(lineEnd - buffer_.data());
            if (file_.IsRegular())
                facts_.afterNul = file_.Size() - *facts_.nulAt - 1;
            if (lineEnd == start)
                continue;
        } else if (*lineEnd == '\r') {
            afterCr_ = true;
        } else {
            ++facts_.lf;
        }
        ++lines_;
        line = WithTabsReplaced(std::string_view(start, static_cast<std::size_t>(lineEnd - start)));
        return true;
    }
}

std::string_view ListReader::WithTabsReplaced(std::string_view line) {
    if (std::memchr(line.data(), '\t', line.size()) == nullptr)
        return line;
    replaced_ = core::ReplaceTabs(line, core::kDefaultTabSize);
    return replaced_;
}

} // namespace cli
