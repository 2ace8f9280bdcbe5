#include "cli/Progress.h"

#include <cstdio>

#include <unistd.h>

#include "cli/OutputFile.h"

namespace cli {

Progress::Progress(int fd, bool wanted) : fd_(fd) {
    if (wanted && fd >= 0 && ::isatty(fd))
        thread_ = std::thread([this] { Run(); });
}

Progress::~Progress() {
    if (!thread_.joinable())
        return;
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void Progress::Describe(std::function<std::string()> describe) {
    const std::lock_guard lock(mutex_);
    describe_ = std::move(describe);
}

std::string Progress::Megabytes(std::uint64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / 1e6);
    return text;
}

void Progress::Run() {
    std::unique_lock lock(mutex_);
    bool shown = false;
    if (!wake_.wait_for(lock, kDelay, [&] { return stopping_; })) {
        do {
            if (describe_) {
                // Back to the line's start, the text, and the rest of the old line erased.
                const std::string line = "\r" + describe_() + "\x1b[K";
                try {
                    WriteText(fd_, line, "standard error");
                    shown = true;
                } catch (const FileWriteError&) {
                    return; // nowhere to show it
                }
            }
        } while (!wake_.wait_for(lock, std::chrono::milliseconds(250), [&] { return stopping_; }));
    }
    if (shown) {
        try {
            WriteText(fd_, "\r\x1b[K", "standard error");
        } catch (const FileWriteError&) {
        }
    }
}

} // namespace cli
