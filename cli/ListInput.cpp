#include "cli/ListInput.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <system_error>

#include <unistd.h>

#include "cli/MemoryBudget.h"

namespace cli {

ListInput::ListInput(const std::string& fileName, std::uint64_t budget)
    : file_(fileName, core::FileKinds::AnyReadable),
      // An empty regular file may be one of /proc's, which only a read fills.
      regular_(file_.IsRegular() && file_.Size() > 0) {
    // Mapping looks for the first NUL, reading the pages: only for a file that may be loaded.
    if (regular_ && InMemoryCost() <= budget)
        mapped_.emplace(core::FileText::Open(fileName));
}

void ListInput::ReadHead(std::uint64_t costLimit) {
    if (regular_)
        return;
    constexpr std::size_t kBlock = ListReader::kBlockSize;
    while (cli::InMemoryCost(head_.size(), headLines_) <= costLimit) {
        const std::size_t kept = head_.size();
        head_.resize(kept + kBlock);
        ssize_t n;
        do {
            n = ::read(file_.Descriptor(), head_.data() + kept, kBlock);
        } while (n < 0 && errno == EINTR);
        if (n < 0) {
            const int error = errno;
            throw core::FileOpenError(file_.FileName(), std::generic_category().message(error));
        }
        head_.resize(kept + static_cast<std::size_t>(n));
        const std::string_view block(head_.data() + kept, static_cast<std::size_t>(n));
        headLines_ += static_cast<std::uint64_t>(std::count(block.begin(), block.end(), '\n'));
        if (n == 0 || block.find('\0') != std::string_view::npos) {
            // The first NUL ends the text: nothing after the read that brought it is read.
            headIsAll_ = true;
            headIsWhole_ = n == 0;
            return;
        }
    }
}

std::uint64_t ListInput::InMemoryCost() const {
    if (regular_)
        return cli::InMemoryCost(file_.Size(), EstimateLines(file_.Descriptor(), file_.Size()));
    return headIsAll_ ? cli::InMemoryCost(head_.size(), headLines_) : kUnknown;
}

core::LoadedList ListInput::Load() {
    try {
        if (regular_)
            return core::LoadedList(mapped_ ? std::move(*mapped_)
                                            : core::FileText::Open(file_.FileName()));
        return core::LoadedList(core::FileText(std::move(head_), headIsWhole_));
    } catch (const std::bad_alloc&) {
        // Splitting is part of loading: the file is as unreadable as one too big to read.
        throw core::FileOpenError(file_.FileName(), std::generic_category().message(ENOMEM));
    }
}

ListReader& ListInput::Stream() {
    if (!reader_)
        reader_ = std::make_unique<ListReader>(file_, std::move(head_));
    return *reader_;
}

} // namespace cli
