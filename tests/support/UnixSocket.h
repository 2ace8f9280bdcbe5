#pragma once
// A Unix socket bound at a path, for the tests of readers that must refuse one; closed with
// the object.

#include <algorithm>
#include <string>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

class UnixSocket {
public:
    explicit UnixSocket(const std::string& path) : fd_(::socket(AF_UNIX, SOCK_STREAM, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (fd_ < 0 || path.size() >= sizeof address.sun_path)
            return;
        std::copy(path.begin(), path.end(), address.sun_path);
        bound_ = ::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    }
    ~UnixSocket() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    UnixSocket(const UnixSocket&) = delete;
    UnixSocket& operator=(const UnixSocket&) = delete;

    bool Bound() const { return bound_; }

private:
    int fd_;
    bool bound_ = false;
};
