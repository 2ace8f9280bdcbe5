#pragma once
// Root reads files whatever their permission bits, so a test of an unreadable file runs its
// check in a child process that first became the ordinary user nobody.

#include <functional>
#include <string>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

struct NobodyRun {
    bool becameNobody = false;
    std::string output; // what the check returned, or why there is nothing
};

/// Runs `check` in a child process as user and group 65534 (nobody, no other groups) and hands
/// back the text it returned. The check must not use test assertions: only its text counts.
inline NobodyRun RunAsNobody(const std::function<std::string()>& check) {
    constexpr int kCannotBecomeNobody = 77;
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return {false, "no pipe"};
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        return {false, "no child process"};
    }
    if (child == 0) {
        ::close(pipeFds[0]);
        if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(kCannotBecomeNobody);
        const std::string output = check();
        for (std::size_t done = 0; done < output.size();) {
            const ssize_t n = ::write(pipeFds[1], output.data() + done, output.size() - done);
            if (n <= 0)
                ::_exit(1);
            done += static_cast<std::size_t>(n);
        }
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    std::string output;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == kCannotBecomeNobody)
        return {false, "cannot become user nobody (65534)"};
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {true, "the check as nobody did not finish: " + output};
    return {true, output};
}
