#include "core/FileText.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <system_error>
#include <utility>

#include <sys/mman.h>
#include <unistd.h>

namespace core {

namespace {

// The mappings the SIGBUS handler may repair. A fixed table of lock-free atomics, since the
// handler can read nothing else safely; a file finding the table full is read instead.
// Zero-initialised, being static; a mapping sets its own fields before its begin.
struct MappingSlot {
    std::atomic<bool> taken;
    std::atomic<std::uintptr_t> begin; // 0: not mapped yet or any more
    std::atomic<std::uintptr_t> end;   // past the last page (a page is mapped whole)
    std::atomic<bool> shrank;
};
static_assert(std::atomic<std::uintptr_t>::is_always_lock_free);

MappingSlot g_slots[FileText::kMaxMapped];
std::uintptr_t g_pageSize = 4096;
struct sigaction g_previousAction {};
std::once_flag g_handlerInstalled;

void OnBusError(int signal, siginfo_t* info, void*) {
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    // A page past the end of a mapped file is a nonexistent address to the processor.
    if (info->si_code == BUS_ADRERR) {
        for (MappingSlot& slot : g_slots) {
            const std::uintptr_t begin = slot.begin.load();
            if (begin == 0 || address < begin || address >= slot.end.load())
                continue;
            // Past the new end of the file everything is gone: zeros from this page on. (mmap
            // is a plain system call, as safe here as any.)
            const std::uintptr_t page = address & ~(g_pageSize - 1);
            const int savedErrno = errno;
            void* zeros = ::mmap(reinterpret_cast<void*>(page), slot.end.load() - page, PROT_READ,
                                 MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
            errno = savedErrno;
            if (zeros == MAP_FAILED)
                break;
            slot.shrank.store(true);
            return; // the access runs again and reads zeros
        }
    }
    // Not ours: back to the previous action. A fault recurs as the access runs again; a sent
    // signal (a code of zero or below) is sent again, delivered once this handler returns.
    ::sigaction(SIGBUS, &g_previousAction, nullptr);
    if (info->si_code <= 0)
        ::raise(signal);
}

void InstallHandler() {
    std::call_once(g_handlerInstalled, [] {
        g_pageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
        struct sigaction action {};
        action.sa_sigaction = OnBusError;
        action.sa_flags = SA_SIGINFO | SA_RESTART;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGBUS, &action, &g_previousAction);
    });
}

int TakeSlot() {
    for (int i = 0; i < FileText::kMaxMapped; ++i) {
        bool expected = false;
        if (g_slots[i].taken.compare_exchange_strong(expected, true))
            return i;
    }
    return -1;
}

std::string SystemReason(int error) {
    return std::generic_category().message(error);
}

} // namespace

FileText FileText::Open(const std::string& fileName, FileKinds kinds) {
    InputFile file(fileName, kinds);
    FileText text;
    text.identity_ = file.Identity();
    if (!(file.IsRegular() && file.Size() > 0 && file.Size() <= SIZE_MAX &&
          text.Map(file.Descriptor(), static_cast<std::size_t>(file.Size()), fileName))) {
        text.read_ = std::make_unique<const std::string>(file.ReadAll(ReadEnd::FirstNul));
        text.bytes_ = *text.read_;
        text.whole_ = file.ReachedEnd();
        text.textSize_ = file.TextSize();
        return text;
    }
    text.FindText();
    return text;
}

void FileText::FindText() {
    const void* nul = std::memchr(bytes_.data(), '\0', bytes_.size());
    textSize_ = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - bytes_.data())
                    : bytes_.size();
}

bool FileText::Map(int fd, std::size_t size, const std::string& fileName) {
    InstallHandler();
    const int slot = TakeSlot();
    if (slot < 0)
        return false;
    void* at = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (at == MAP_FAILED) {
        const int error = errno;
        g_slots[slot].taken.store(false);
        // Too big for the address space is too big to read too; anything else (a file system
        // that cannot map) leaves reading.
        if (error == ENOMEM)
            throw FileOpenError(fileName, SystemReason(ENOMEM));
        return false;
    }
    // No advice to read the whole file ahead: only the bytes before the first NUL are text,
    // and the search for it reads them in order, which the kernel reads ahead of anyway. Not
    // MADV_SEQUENTIAL either: the comparison and the writing read the lines again, and that
    // advice lets the kernel drop pages once passed. (On the development machine, neither
    // advice nor MAP_POPULATE changed the load time, cached or evicted.)

    const auto begin = reinterpret_cast<std::uintptr_t>(at);
    MappingSlot& entry = g_slots[slot];
    entry.shrank.store(false);
    entry.end.store(begin + (size + g_pageSize - 1) / g_pageSize * g_pageSize);
    entry.begin.store(begin);
    slot_ = slot;
    bytes_ = std::string_view(static_cast<const char*>(at), size);
    return true;
}

FileText::FileText(std::string bytes, bool whole)
    : whole_(whole), read_(std::make_unique<const std::string>(std::move(bytes))) {
    bytes_ = *read_;
    FindText();
}

FileText::FileText(FileText&& other) noexcept
    : bytes_(std::exchange(other.bytes_, {})), textSize_(std::exchange(other.textSize_, 0)),
      whole_(other.whole_), identity_(std::exchange(other.identity_, {})),
      read_(std::move(other.read_)), slot_(std::exchange(other.slot_, -1)) {}

FileText& FileText::operator=(FileText&& other) noexcept {
    if (this != &other) {
        Unmap();
        bytes_ = std::exchange(other.bytes_, {});
        textSize_ = std::exchange(other.textSize_, 0);
        whole_ = other.whole_;
        identity_ = std::exchange(other.identity_, {});
        read_ = std::move(other.read_);
        slot_ = std::exchange(other.slot_, -1);
    }
    return *this;
}

FileText::~FileText() {
    Unmap();
}

void FileText::Unmap() {
    if (slot_ < 0)
        return;
    MappingSlot& entry = g_slots[slot_];
    entry.begin.store(0);
    ::munmap(const_cast<char*>(bytes_.data()), bytes_.size());
    entry.taken.store(false);
}

bool FileText::Shrank() const {
    return slot_ >= 0 && g_slots[slot_].shrank.load();
}

} // namespace core
