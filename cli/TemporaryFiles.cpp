#include "cli/TemporaryFiles.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <system_error>

#include <dirent.h>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "cli/OutputFile.h"

namespace cli {

namespace {

struct Slot {
    std::atomic<bool> taken;
    std::atomic<bool> ready; // path written, to be removed at a signal
    bool folder;
    char path[4096];
};

constexpr int kSlots = 16;
Slot g_slots[kSlots];
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
std::once_flag g_handlersInstalled;

/// Removes the entries of the folder `path`, then the folder, again while another thread
/// still adds files to it. Only system calls: safe in a signal handler.
void RemoveFolder(const char* path) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const int fd = ::open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return;
        alignas(8) char entries[8192];
        for (;;) {
            const long n = ::syscall(SYS_getdents64, fd, entries, sizeof entries);
            if (n <= 0)
                break;
            for (long at = 0; at < n;) {
                const auto* entry = reinterpret_cast<const struct dirent64*>(entries + at);
                const char* name = entry->d_name;
                if (std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0)
                    ::unlinkat(fd, name, 0);
                at += entry->d_reclen;
            }
        }
        ::close(fd);
        if (::rmdir(path) == 0 || errno != ENOTEMPTY)
            return;
    }
}

void RemoveSlot(Slot& slot) {
    if (!slot.ready.load())
        return;
    if (slot.folder)
        RemoveFolder(slot.path);
    else
        ::unlink(slot.path);
}

void OnTerminatingSignal(int signal) {
    for (Slot& slot : g_slots)
        RemoveSlot(slot);
    // Then the signal's own course: the default action, which ends the process as it would
    // have without us (a shell sees the signal in the status).
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

void InstallHandlers() {
    std::call_once(g_handlersInstalled, [] {
        for (const int signal : kSignals) {
            struct sigaction previous {};
            ::sigaction(signal, nullptr, &previous);
            if (previous.sa_handler == SIG_IGN)
                continue; // ignored when we started (nohup, a background job): stays so
            struct sigaction action {};
            action.sa_handler = OnTerminatingSignal;
            sigfillset(&action.sa_mask); // one handler at a time
            ::sigaction(signal, &action, nullptr);
        }
    });
}

} // namespace

TemporaryPath::TemporaryPath(std::string pattern, bool folder)
    : path_(std::move(pattern)), folder_(folder) {
    InstallHandlers();
    // The name is made in the slot itself, so the handler sees it as soon as it can exist.
    char* name = path_.data();
    if (path_.size() < sizeof(Slot::path)) {
        for (int i = 0; i < kSlots && slot_ < 0; ++i) {
            bool expected = false;
            if (g_slots[i].taken.compare_exchange_strong(expected, true)) {
                Slot& slot = g_slots[i];
                std::memcpy(slot.path, path_.c_str(), path_.size() + 1);
                slot.folder = folder;
                slot.ready.store(true);
                slot_ = i;
                name = slot.path;
            }
        }
    }
    const bool made =
        folder ? ::mkdtemp(name) != nullptr : (fd_ = ::mkostemp(name, O_CLOEXEC)) >= 0;
    const int error = errno;
    path_ = name;
    if (!made) {
        const std::string failed = path_;
        if (slot_ >= 0) {
            g_slots[slot_].ready.store(false);
            g_slots[slot_].taken.store(false);
        }
        path_.clear();
        throw std::system_error(error, std::generic_category(), failed);
    }
}

void TemporaryPath::RenameTo(const std::string& target) {
    if (::rename(path_.c_str(), target.c_str()) != 0)
        throw FileWriteError(target, std::generic_category().message(errno));
    if (slot_ >= 0) {
        g_slots[slot_].ready.store(false);
        g_slots[slot_].taken.store(false);
        slot_ = -1;
    }
    path_.clear();
}

TemporaryPath::~TemporaryPath() {
    if (fd_ >= 0)
        ::close(fd_);
    if (path_.empty())
        return;
    if (slot_ >= 0)
        g_slots[slot_].ready.store(false);
    if (folder_) {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    } else {
        ::unlink(path_.c_str());
    }
    if (slot_ >= 0)
        g_slots[slot_].taken.store(false);
}

SpillFolder::SpillFolder(const std::string& parent) {
    std::string base = parent;
    if (base.empty()) {
        const char* tmpdir = std::getenv("TMPDIR");
        base = tmpdir != nullptr && *tmpdir != '\0' ? tmpdir : "/tmp";
    }
    const std::string pattern = base + "/dyadlist-compare.XXXXXX";
    try {
        folder_ = std::make_unique<TemporaryPath>(pattern, true);
    } catch (const std::system_error& error) {
        throw FileWriteError(pattern, error.code().message());
    }
}

} // namespace cli
