// Lists from any bytes: the batch tool's loader and the editors' document split a list into
// the same lines, and the comparison gives what its definition's nested loops give.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "TwoLists.h"
#include "core/LineText.h"
#include "core/ListComparison.h"
#include "core/TextDocument.h"

namespace {

using Lines = std::vector<std::string>;

Lines LoadedLines(const core::LoadedList& list) {
    Lines lines;
    for (const std::string_view line : core::Views(list))
        lines.emplace_back(line);
    return lines;
}

/// The lines an editor's store gets from the same bytes.
Lines DocumentLines(const std::string& bytes) {
    core::TextDocument document;
    document.Load(core::TextDocument::Split(bytes, {4, true}));
    Lines lines;
    for (int i = 0; i < document.Count(); ++i)
        lines.emplace_back(document.Line(i));
    return lines;
}

/// The comparison by its definition: the longer list drives the pair loop (the right one on
/// a tie); the single hits are both lists' lines but those found on both and the empty ones.
struct Reference {
    bool compares = false;
    Lines multiple;
    Lines single;
};

Reference Compare(const Lines& left, const Lines& right) {
    Reference r;
    if (left == right || left.empty() || right.empty())
        return r;
    r.compares = true;
    const bool leftDrives = left.size() > right.size();
    const Lines& outer = leftDrives ? left : right;
    const Lines& inner = leftDrives ? right : left;
    for (const std::string& a : outer)
        for (const std::string& b : inner)
            if (a == b)
                r.multiple.push_back(a);
    for (const Lines* list : {&left, &right})
        for (const std::string& line : *list)
            if (!line.empty() &&
                std::find(r.multiple.begin(), r.multiple.end(), line) == r.multiple.end())
                r.single.push_back(line);
    return r;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto [leftBytes, rightBytes] = TwoLists(data, size);

    const core::LoadedList left(leftBytes), right(rightBytes);
    const Lines l = LoadedLines(left), r = LoadedLines(right);
    if (l.size() != left.Count() || r.size() != right.Count())
        std::abort();
    // One reading for both programs.
    if (l != DocumentLines(leftBytes) || r != DocumentLines(rightBytes))
        std::abort();

    // The comparison against its definition, on lists short enough for the nested loops.
    if (l.size() > 64 || r.size() > 64)
        return 0;
    const core::ListComparison comparison(left, right);
    const Reference expected = Compare(l, r);
    if (comparison.Compares() != expected.compares)
        std::abort();
    if (!expected.compares)
        return 0;
    Lines multiple, single;
    comparison.ForEachMultipleHit([&](std::string_view line) { multiple.emplace_back(line); });
    comparison.ForEachSingleHit([&](std::string_view line) { single.emplace_back(line); });
    if (multiple != expected.multiple || single != expected.single ||
        comparison.MultipleHitCount() != multiple.size() ||
        comparison.SingleHitCount() != single.size())
        std::abort();
    return 0;
}
