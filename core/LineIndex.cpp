#include "core/LineIndex.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#define XXH_INLINE_ALL
#include <xxhash.h>

namespace core {

LineIndex::LineIndex(std::size_t expectedDistinct, std::size_t reservedDistinct) {
    // Three quarters full at most when the expected lines are in.
    slots_ = BigArray<std::uint64_t>(
        std::max<std::size_t>(expectedDistinct + expectedDistinct / 3 + 1, 16));
    // Reserved address space costs no memory until used, and growing would copy.
    distinct_ = BigArray<Distinct>(std::max({expectedDistinct, reservedDistinct, std::size_t{16}}));
}

std::uint64_t LineIndex::Hash(std::string_view line) {
    return XXH3_64bits(line.data(), line.size());
}

std::uint64_t LineIndex::Where(std::string_view line) {
    const auto address = reinterpret_cast<std::uintptr_t>(line.data());
    if (line.size() < kAside && (address & ~kAddressMask) == 0)
        return address | (static_cast<std::uint64_t>(line.size()) << kSizeShift);
    aside_.push_back(line);
    return (aside_.size() - 1) | (static_cast<std::uint64_t>(kAside) << kSizeShift);
}

std::size_t LineIndex::SlotFor(std::string_view line, std::uint64_t hash) const {
    const std::uint64_t tag = hash & kTagMask;
    std::size_t slot = SlotOf(hash);
    while (true) {
        const std::uint64_t entry = slots_[slot];
        if (entry == 0 || ((entry & kTagMask) == tag && Line(static_cast<Id>(entry) - 1) == line))
            return slot;
        if (++slot == slots_.size())
            slot = 0;
    }
}

LineIndex::Id LineIndex::Find(std::string_view line, std::uint64_t hash) const {
    const std::uint64_t entry = slots_[SlotFor(line, hash)];
    return entry == 0 ? kNone : static_cast<Id>(entry) - 1;
}

LineIndex::Id LineIndex::Intern(std::string_view line, std::uint64_t hash) {
    const std::size_t slot = SlotFor(line, hash);
    if (const std::uint64_t entry = slots_[slot])
        return static_cast<Id>(entry) - 1;
    if (distinctCount_ >= std::numeric_limits<std::uint32_t>::max() - 1)
        throw std::length_error("too many distinct lines");
    const Id id = static_cast<Id>(distinctCount_);
    AddDistinct(line);
    slots_[slot] = Slot(hash, id);
    if (distinctCount_ * 4 > slots_.size() * 3)
        Grow();
    return id;
}

void LineIndex::AddDistinct(std::string_view line) {
    if (distinctCount_ == distinct_.size()) {
        BigArray<Distinct> more(distinct_.size() * 2);
        std::copy_n(distinct_.data(), distinctCount_, more.data());
        distinct_ = std::move(more);
    }
    distinct_[distinctCount_++] = {Where(line), {0, 0}};
}

void LineIndex::Grow() {
    BigArray<std::uint64_t> slots(slots_.size() * 2);
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        const std::uint64_t entry = slots_[i];
        if (entry == 0)
            continue;
        std::size_t slot = SlotIn(entry, slots.size());
        while (slots[slot] != 0) {
            if (++slot == slots.size())
                slot = 0;
        }
        slots[slot] = entry;
    }
    slots_ = std::move(slots);
}

} // namespace core
