#include "core/LineSource.h"

#include <algorithm>

namespace core {

namespace {

class SpanWalker final : public LineSource::Cursor {
public:
    explicit SpanWalker(std::span<const std::string_view> lines) : rest_(lines) {}
    std::size_t Read(std::span<std::string_view> batch) override {
        const std::size_t n = std::min(batch.size(), rest_.size());
        std::copy_n(rest_.begin(), n, batch.begin());
        rest_ = rest_.subspan(n);
        return n;
    }

private:
    std::span<const std::string_view> rest_;
};

} // namespace

std::unique_ptr<LineSource::Cursor> SpanLines::Walk() const {
    return std::make_unique<SpanWalker>(lines_);
}

std::vector<std::string_view> Views(const LineSource& source) {
    std::vector<std::string_view> views;
    views.reserve(source.Count());
    ForEachLineOf(source, [&](std::size_t, std::string_view line) { views.push_back(line); });
    return views;
}

} // namespace core
