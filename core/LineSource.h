#pragma once
// A list's lines as the comparison reads them: counted up front, then walked in order, as
// often as needed, a batch at a time. Whatever holds the lines (a mapped file, an editor's
// document, a vector in a test) stays as it is: nobody builds a view of every line, so a list
// costs the comparison nothing per line but what the comparison keeps itself.
//
// The views a walk hands out stay valid as long as the source lives unchanged.

#include <array>
#include <cstddef>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace core {

class LineSource {
public:
    /// A walk from the first line on.
    class Cursor {
    public:
        virtual ~Cursor() = default;
        /// Fills `batch` with the next lines, as many as it holds or as are left; returns how
        /// many it filled, 0 at the end.
        virtual std::size_t Read(std::span<std::string_view> batch) = 0;
    };

    virtual ~LineSource() = default;
    virtual std::size_t Count() const = 0;
    virtual std::unique_ptr<Cursor> Walk() const = 0;
};

/// Calls `visit(std::size_t index, std::string_view line)` for every line of `source`, in
/// order. One virtual call a batch, so the loop around `visit` stays tight.
template <class Visit> void ForEachLineOf(const LineSource& source, Visit&& visit) {
    constexpr std::size_t kBatch = 256;
    std::array<std::string_view, kBatch> batch;
    const std::unique_ptr<LineSource::Cursor> cursor = source.Walk();
    std::size_t index = 0;
    while (const std::size_t n = cursor->Read(batch)) {
        for (std::size_t i = 0; i < n; ++i)
            visit(index++, batch[i]);
    }
}

/// Every line of `source` as a view, in order (for tests and small lists).
std::vector<std::string_view> Views(const LineSource& source);

/// Lines that are already views, such as a vector of them.
class SpanLines final : public LineSource {
public:
    explicit SpanLines(std::span<const std::string_view> lines) : lines_(lines) {}
    std::size_t Count() const override { return lines_.size(); }
    std::unique_ptr<Cursor> Walk() const override;

private:
    std::span<const std::string_view> lines_;
};

} // namespace core
