#include "memo/model/LineRecords.h"

#include <algorithm>

namespace {
const TLineProp kPlainRecord{};
} // namespace

LineRecords::LineRecords(core::TextDocument& document) : document_(document) {
    handles_.Assign(static_cast<std::size_t>(document.Count()), kNone);
    document_.AddListener(*this);
}

LineRecords::~LineRecords() {
    document_.RemoveListener(*this);
}

bool LineRecords::HasRecord(int line) const {
    return Record(line) != nullptr;
}

const TLineProp* LineRecords::Record(int line) const {
    if (line < 0 || line >= static_cast<int>(handles_.size()))
        return nullptr;
    const std::uint32_t h = Handle(line);
    if (h == kPlain)
        return &kPlainRecord;
    if (h >= kFirstPooled && pool_[h - kFirstPooled].isRecord)
        return &pool_[h - kFirstPooled].record;
    return nullptr;
}

TLineProp* LineRecords::EditRecord(int line) {
    if (!HasRecord(line))
        return nullptr;
    std::uint32_t& h = handles_[static_cast<std::size_t>(line)];
    if (h == kPlain)
        h = Pool({});
    return &pool_[h - kFirstPooled].record;
}

void LineRecords::GiveRecords(int first, int count, TObject* object) {
    for (int line = first; line < first + count; ++line) {
        std::uint32_t& h = handles_[static_cast<std::size_t>(line)];
        Release(h);
        h = kPlain;
        if (object) {
            h = Pool({});
            pool_[h - kFirstPooled].record.UserObject = object;
        }
    }
}

TObject* LineRecords::Object(int line) const {
    if (line < 0 || line >= static_cast<int>(handles_.size()))
        return nullptr;
    const std::uint32_t h = Handle(line);
    return h >= kFirstPooled ? pool_[h - kFirstPooled].record.UserObject : nullptr;
}

void LineRecords::SetObject(int line, TObject* object) {
    if (line < 0 || line >= static_cast<int>(handles_.size()))
        return;
    std::uint32_t& h = handles_[static_cast<std::size_t>(line)];
    if (h == kNone) {
        if (!object)
            return;
        Pooled slot;
        slot.isRecord = false;
        h = Pool(std::move(slot));
    } else if (h == kPlain) {
        h = Pool({});
    }
    pool_[h - kFirstPooled].record.UserObject = object;
}

std::uint32_t LineRecords::Pool(Pooled value) {
    if (!free_.empty()) {
        const std::uint32_t index = free_.back();
        free_.pop_back();
        pool_[index] = std::move(value);
        return index + kFirstPooled;
    }
    pool_.push_back(std::move(value));
    return static_cast<std::uint32_t>(pool_.size() - 1) + kFirstPooled;
}

void LineRecords::Release(std::uint32_t handle) {
    if (handle < kFirstPooled)
        return;
    pool_[handle - kFirstPooled] = {};
    free_.push_back(handle - kFirstPooled);
}

void LineRecords::LinesChanged(const core::LineChange& change) {
    if (change.replacedAll) {
        // A whole new text: the room the old one's records took goes back too.
        handles_.Assign(static_cast<std::size_t>(change.added), kNone);
        std::vector<Pooled>().swap(pool_);
        std::vector<std::uint32_t>().swap(free_);
        return;
    }
    // Lines changed in place keep their records; the rest go or come without one.
    const int kept = std::min(change.removed, change.added);
    const auto from = static_cast<std::size_t>(change.first + kept);
    if (change.removed > kept) {
        const auto count = static_cast<std::size_t>(change.removed - kept);
        for (std::size_t line = from; line < from + count; ++line)
            Release(handles_[line]);
        handles_.Erase(from, count);
    } else if (change.added > kept) {
        handles_.Insert(from, static_cast<std::size_t>(change.added - kept), kNone);
    }
}
