#include "core/LineIndex.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace core {

LineIndex::LineIndex(std::size_t expectedLines) {
    // At most half full when every expected line is distinct, the limit at which Grow runs.
    const std::size_t capacity = std::bit_ceil(std::max<std::size_t>(expectedLines * 2, 16));
    slots_.assign(capacity, 0);
    mask_ = capacity - 1;
    // Reserved address space costs no memory until used, and growing would copy.
    distinct_.reserve(expectedLines);
    hashes_.reserve(expectedLines);
}

std::uint64_t LineIndex::Hash(std::string_view line) {
    // FNV-1a over 8-byte words, then a final mix: fast on short lines, good enough spread for
    // a power-of-two table.
    std::uint64_t h = 0xcbf29ce484222325ULL ^ line.size();
    const char* p = line.data();
    std::size_t n = line.size();
    while (n >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        h = (h ^ word) * 0x100000001b3ULL;
        h ^= h >> 29;
        p += 8;
        n -= 8;
    }
    if (n > 0) {
        std::uint64_t word = 0;
        std::memcpy(&word, p, n);
        h = (h ^ word) * 0x100000001b3ULL;
    }
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ULL;
    h ^= h >> 33;
    return h;
}

LineIndex::Id LineIndex::Intern(std::string_view line, std::uint64_t hash) {
    const std::uint64_t tag = hash << 32;
    std::size_t slot = SlotOf(hash);
    while (true) {
        const std::uint64_t entry = slots_[slot];
        if (entry == 0)
            break;
        if ((entry & 0xFFFFFFFF00000000ULL) == tag) {
            const Id id = static_cast<Id>(entry) - 1;
            if (distinct_[id] == line)
                return id;
        }
        slot = (slot + 1) & mask_;
    }
    if (distinct_.size() >= std::numeric_limits<std::uint32_t>::max() - 1)
        throw std::length_error("too many distinct lines");
    const Id id = static_cast<Id>(distinct_.size());
    distinct_.push_back(line);
    hashes_.push_back(static_cast<std::uint32_t>(hash >> 32));
    slots_[slot] = Slot(hash, id);
    if (distinct_.size() * 2 > slots_.size())
        Grow();
    return id;
}

void LineIndex::Grow() {
    const std::size_t capacity = slots_.size() * 2;
    std::vector<std::uint64_t> slots(capacity, 0);
    const std::size_t mask = capacity - 1;
    for (const std::uint64_t entry : slots_) {
        if (entry == 0)
            continue;
        std::size_t slot = hashes_[static_cast<Id>(entry) - 1] & mask;
        while (slots[slot] != 0)
            slot = (slot + 1) & mask;
        slots[slot] = entry;
    }
    slots_.swap(slots);
    mask_ = mask;
}

} // namespace core
