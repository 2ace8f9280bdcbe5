#include "core/LineIndex.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <stdexcept>

#define XXH_INLINE_ALL
#include <xxhash.h>

namespace core {

LineIndex::LineIndex(std::size_t expectedDistinct) {
    // Three quarters full at most when the expected lines are in.
    const std::size_t capacity =
        std::bit_ceil(std::max<std::size_t>(expectedDistinct + expectedDistinct / 3 + 1, 16));
    slots_ = BigArray<std::uint64_t>(capacity);
    mask_ = capacity - 1;
    // Reserved address space costs no memory until used, and growing would copy.
    distinct_.reserve(expectedDistinct);
}

std::uint64_t LineIndex::Hash(std::string_view line) {
    return XXH3_64bits(line.data(), line.size());
}

LineIndex::Id LineIndex::Intern(std::string_view line, std::uint64_t hash) {
    const std::uint64_t tag = hash & 0xFFFFFFFF00000000ULL;
    std::size_t slot = SlotOf(hash);
    while (true) {
        const std::uint64_t entry = slots_[slot];
        if (entry == 0)
            break;
        if ((entry & 0xFFFFFFFF00000000ULL) == tag) {
            const Id id = static_cast<Id>(entry) - 1;
            if (distinct_[id].line == line)
                return id;
        }
        slot = (slot + 1) & mask_;
    }
    if (distinct_.size() >= std::numeric_limits<std::uint32_t>::max() - 1)
        throw std::length_error("too many distinct lines");
    const Id id = static_cast<Id>(distinct_.size());
    distinct_.push_back({line, {0, 0}});
    slots_[slot] = Slot(hash, id);
    if (distinct_.size() * 4 > slots_.size() * 3)
        Grow();
    return id;
}

void LineIndex::Grow() {
    BigArray<std::uint64_t> slots(slots_.size() * 2);
    const std::size_t mask = slots.size() - 1;
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        const std::uint64_t entry = slots_[i];
        if (entry == 0)
            continue;
        std::size_t slot = static_cast<std::size_t>(entry >> 32) & mask;
        while (slots[slot] != 0)
            slot = (slot + 1) & mask;
        slots[slot] = entry;
    }
    slots_ = std::move(slots);
    mask_ = mask;
}

} // namespace core
