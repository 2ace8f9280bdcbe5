#include "cli/MemoryBudget.h"

#include <algorithm>
#include <cerrno>

#include <unistd.h>

namespace cli {

std::uint64_t DefaultMemoryBudget() {
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return std::uint64_t{1} << 30; // unknown: a gigabyte
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize) / 2;
}

std::uint64_t EstimateLines(int fd, std::uint64_t size) {
    constexpr std::uint64_t kSamples = 16;
    constexpr std::size_t kSampleSize = 16 << 10;
    char sample[kSampleSize];
    std::uint64_t sampled = 0;
    std::uint64_t breaks = 0;
    for (std::uint64_t i = 0; i < kSamples; ++i) {
        const std::uint64_t at = size / kSamples * i;
        ssize_t n;
        do {
            n = ::pread(fd, sample, kSampleSize, static_cast<off_t>(at));
        } while (n < 0 && errno == EINTR);
        if (n <= 0)
            break;
        for (ssize_t k = 0; k < n; ++k)
            breaks +=
                sample[k] == '\n' || (sample[k] == '\r' && (k + 1 == n || sample[k + 1] != '\n'));
        sampled += static_cast<std::uint64_t>(n);
        if (size <= kSamples * kSampleSize && at + static_cast<std::uint64_t>(n) >= size)
            break; // a small file: read whole, or nearly
    }
    if (sampled == 0)
        return 1;
    // A line more for the last one without a break.
    return static_cast<std::uint64_t>(static_cast<double>(breaks) / static_cast<double>(sampled) *
                                      static_cast<double>(size)) +
           1;
}

} // namespace cli
