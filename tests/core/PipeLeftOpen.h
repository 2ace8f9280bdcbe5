#pragma once
// A pipe whose writer stays open: the test of a reader that must not wait for the end.

#include <chrono>
#include <future>
#include <optional>
#include <string>

#include <unistd.h>

namespace coretest {

/// Runs `read` on a pipe that holds `bytes` and whose writer stays open: a reader that waits
/// for the end of the file would wait for ever. Returns what `read` returned, or nothing when
/// it did not return within a generous delay.
template <class Read>
inline std::optional<std::string> ReadPipeLeftOpen(const std::string& bytes, Read read) {
    int fds[2];
    if (::pipe(fds) != 0)
        return std::nullopt;
    const bool written =
        ::write(fds[1], bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    std::future<std::string> got =
        std::async(std::launch::async, [&] { return read("/dev/fd/" + std::to_string(fds[0])); });
    const bool done = got.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
    ::close(fds[1]); // now a reader still waiting meets the end
    std::string text = got.get();
    ::close(fds[0]);
    if (!done || !written)
        return std::nullopt;
    return text;
}

} // namespace coretest
