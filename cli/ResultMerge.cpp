#include "cli/ResultMerge.h"

#include <algorithm>
#include <functional>

namespace cli {

namespace {

constexpr auto kLater = std::greater<std::pair<std::uint64_t, std::size_t>>();

} // namespace

MergedResults::MergedResults(const std::vector<std::string>& fileNames, std::size_t bufferSize) {
    sources_.resize(fileNames.size());
    for (std::size_t i = 0; i < fileNames.size(); ++i) {
        sources_[i].reader = std::make_unique<RecordReader>(fileNames[i], bufferSize);
        Queue(i);
    }
}

void MergedResults::Queue(std::size_t i) {
    Source& source = sources_[i];
    if (source.reader->AtEnd())
        return;
    source.position += source.reader->ReadNumber();
    heap_.emplace_back(source.position, i);
    std::push_heap(heap_.begin(), heap_.end(), kLater);
}

bool MergedResults::Next(ResultEntry& entry) {
    // The last entry's line lives in its source's buffer: that source reads on only now.
    if (advanceDue_ != SIZE_MAX) {
        ++sources_[advanceDue_].position;
        Queue(advanceDue_);
        advanceDue_ = SIZE_MAX;
    }
    if (heap_.empty())
        return false;
    std::pop_heap(heap_.begin(), heap_.end(), kLater);
    const auto [position, i] = heap_.back();
    heap_.pop_back();
    RecordReader& reader = *sources_[i].reader;
    entry.position = position;
    entry.copies = reader.ReadNumber();
    entry.line = reader.ReadLine();
    advanceDue_ = i;
    return true;
}

} // namespace cli
