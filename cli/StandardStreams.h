#pragma once
// Descriptors 0-2 as the tool found them. One that was closed is opened onto /dev/null at
// start, so that no file the tool opens later takes its number (an entry file given
// descriptor 1 would also receive what was meant for standard output). The tool still treats
// it as closed: writing to a closed standard output fails with "Bad file descriptor", and the
// names that lead to a closed one (/dev/stdout, /dev/fd/1, /proc/self/fd/1) open nothing,
// rather than /dev/null in its place. Names are recognised as written; a link of the user's
// own to one of them reaches /dev/null.

#include <array>
#include <string_view>

namespace cli {

class StandardStreams {
public:
    /// All three open (what an in-process caller has).
    StandardStreams() = default;

    /// Opens /dev/null onto each of descriptors 0-2 that is closed, and remembers which.
    static StandardStreams Guard();

    bool Closed(int fd) const { return fd >= 0 && fd < 3 && closed_[static_cast<unsigned>(fd)]; }
    /// Standard output's descriptor, or -1 when it was closed.
    int Output() const { return Closed(1) ? -1 : 1; }
    /// Standard error's descriptor, or -1 when it was closed.
    int Error() const { return Closed(2) ? -1 : 2; }

    /// Whether `fileName` names a closed one: /dev/stdin, /dev/stdout, /dev/stderr,
    /// /dev/fd/N or /proc/self/fd/N.
    bool NamesClosed(std::string_view fileName) const;

private:
    std::array<bool, 3> closed_{};
};

} // namespace cli
