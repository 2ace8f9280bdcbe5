#pragma once
// The progress line of a long run on standard error: shown only when standard error is a
// terminal and the run has lasted kDelay, rewritten in place four times a second, and cleared
// when the run ends, so that nothing of it stays on the screen or reaches a file or a pipe.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace cli {

class Progress {
public:
    static constexpr std::chrono::milliseconds kDelay{1000};

    /// A line on `fd` when `wanted` and `fd` is a terminal; else nothing at all.
    Progress(int fd, bool wanted);
    /// Clears the line.
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    /// What the line says from now on: `describe` is called on the line's own thread, so it
    /// reads only what may be read from there (atomics).
    void Describe(std::function<std::string()> describe);

    /// Bytes as "12.3 MB".
    static std::string Megabytes(std::uint64_t bytes);

private:
    void Run();

    int fd_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::function<std::string()> describe_;
    std::thread thread_;
};

} // namespace cli
