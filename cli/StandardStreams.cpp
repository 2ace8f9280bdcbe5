#include "cli/StandardStreams.h"

#include <cerrno>

#include <fcntl.h>

namespace cli {

StandardStreams StandardStreams::Guard() {
    StandardStreams streams;
    for (int fd = 0; fd < 3; ++fd) {
        if (::fcntl(fd, F_GETFD) >= 0 || errno != EBADF)
            continue;
        streams.closed_[static_cast<unsigned>(fd)] = true;
        // The lowest free number is this one, the lower ones being open by now.
        ::open("/dev/null", O_RDWR);
    }
    return streams;
}

bool StandardStreams::NamesClosed(std::string_view fileName) const {
    constexpr std::string_view kNames[] = {"/dev/stdin", "/dev/stdout", "/dev/stderr"};
    for (int fd = 0; fd < 3; ++fd) {
        if (!Closed(fd))
            continue;
        const char digit = static_cast<char>('0' + fd);
        if (fileName == kNames[fd])
            return true;
        for (const std::string_view folder : {"/dev/fd/", "/proc/self/fd/"}) {
            if (fileName.size() == folder.size() + 1 && fileName.starts_with(folder) &&
                fileName.back() == digit)
                return true;
        }
    }
    return false;
}

} // namespace cli
