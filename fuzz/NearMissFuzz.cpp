// Bytes of any kind taken as two lists for dyadlist-compare's readers: split at the first
// 0xFF byte (or in the middle), warned about, compared, and explained, with every fold of
// every line and the JSON report. Nothing may crash, hang or read outside the bytes; a JSON
// report holds printable ASCII only; the near misses are those a plain search finds.

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "TwoLists.h"
#include "cli/Escaping.h"
#include "cli/InputWarnings.h"
#include "cli/JsonReport.h"
#include "cli/NearMissFolding.h"
#include "cli/NearMisses.h"
#include "core/LineText.h"
#include "core/ListComparison.h"

namespace {

using Pair = std::tuple<std::size_t, std::size_t, cli::NearMissCause>;

/// The near misses found the plain way, each hit against every hit of the other list: its
/// partner is found ignoring the first cause, else the first two, and so on; its cause the
/// first without which they fold apart. None when the lists are too
/// long for that.
std::optional<std::vector<Pair>> PlainNearMisses(const core::ListComparison& comparison) {
    struct Hit {
        std::size_t index;
        std::string_view text;
    };
    std::array<std::vector<Hit>, 2> hits;
    for (const auto side : {core::LineIndex::kLeft, core::LineIndex::kRight})
        comparison.ForEachSingleHitOn(
            side, [&](core::ListComparison::Origin origin, std::string_view line) {
                hits[side].push_back({origin.index, line});
            });
    if (hits[0].size() > 200 || hits[1].size() > 200)
        return std::nullopt;
    std::vector<Pair> pairs;
    std::string a, b;
    const auto alike = [&](const Hit& x, const Hit& y, cli::CauseSet causes) {
        return cli::FoldLine(x.text, causes, x.index == 0, a) ==
               cli::FoldLine(y.text, causes, y.index == 0, b);
    };
    // At the first step where some hit of the other list folds like it, the partner is the
    // first of those that also folds like it under that step's new cause alone, else the first.
    const auto partnerOf = [&](int side, std::size_t h) -> std::pair<std::size_t, cli::CauseSet> {
        for (int count = 1; count <= cli::kNearMissCauses; ++count) {
            std::size_t first = SIZE_MAX;
            for (std::size_t o = 0; o < hits[1 - side].size(); ++o) {
                if (!alike(hits[side][h], hits[1 - side][o], cli::FirstCauses(count)))
                    continue;
                if (alike(hits[side][h], hits[1 - side][o], 1u << (count - 1)))
                    return {o, cli::FirstCauses(count)};
                first = std::min(first, o);
            }
            if (first != SIZE_MAX)
                return {first, cli::FirstCauses(count)};
        }
        return {SIZE_MAX, 0};
    };
    for (int side = 0; side < 2; ++side) {
        for (std::size_t h = 0; h < hits[side].size(); ++h) {
            const auto [o, causes] = partnerOf(side, h);
            if (o == SIZE_MAX)
                continue;
            // Two hits that are each other's partner make one pair, listed from the left.
            if (side == 1 && partnerOf(0, o).first == h)
                continue;
            int cause = std::bit_width(causes) - 1;
            for (int c = 0; c < cause; ++c)
                if (!alike(hits[side][h], hits[1 - side][o], causes & ~(1u << c))) {
                    cause = c;
                    break;
                }
            const Hit& left = side == 0 ? hits[0][h] : hits[0][o];
            const Hit& right = side == 0 ? hits[1][o] : hits[1][h];
            pairs.emplace_back(left.index, right.index, static_cast<cli::NearMissCause>(cause));
        }
    }
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

/// Reads \xHH back as its byte.
std::string Unescaped(std::string_view shown) {
    std::string bytes;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (shown[i] != '\\') {
            bytes += shown[i];
            continue;
        }
        if (i + 3 >= shown.size() || shown[i + 1] != 'x')
            std::abort(); // an escape cut short, or no escape
        bytes += static_cast<char>(std::stoi(std::string(shown.substr(i + 2, 2)), nullptr, 16));
        i += 3;
    }
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto [left, right] = TwoLists(data, size);

    const core::LoadedList l(left), r(right);
    std::vector<std::string> warnings = cli::InputWarnings(l.File(), "left");
    for (std::string& w : cli::InputWarnings(r.File(), "right"))
        warnings.push_back(std::move(w));
    // Whatever the bytes, what a terminal is shown of them holds no control character, and
    // reads back as they were.
    const std::string shown = cli::Printable(bytes);
    if (Unescaped(shown) != bytes)
        std::abort();
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const auto byte = static_cast<unsigned char>(shown[i]);
        const bool c1 =
            byte == 0xC2 && i + 1 < shown.size() && static_cast<unsigned char>(shown[i + 1]) < 0xA0;
        if (byte < 0x20 || byte == 0x7F || c1)
            std::abort();
    }

    const core::ListComparison comparison(l, r);
    const cli::NearMisses nearMisses(comparison);
    std::vector<Pair> pairs;
    for (const cli::NearMissPair& pair : nearMisses.Pairs()) {
        (void)cli::NearMisses::PairLine(pair);
        pairs.emplace_back(pair.leftIndex, pair.rightIndex, pair.cause);
    }
    std::sort(pairs.begin(), pairs.end());
    if (const auto plain = PlainNearMisses(comparison); plain && *plain != pairs)
        std::abort();
    (void)nearMisses.SummaryText();

    std::string storage;
    for (std::string_view line : {std::string_view(left), std::string_view(right)}) {
        // Leaving out the causes that cannot change a line folds it alike.
        const cli::CauseSet mayChange = cli::MayChange(line, true);
        std::string some;
        for (cli::CauseSet causes = 0; causes <= cli::FirstCauses(cli::kNearMissCauses); ++causes) {
            if (cli::FoldLine(line, causes, true, storage) !=
                cli::FoldLine(line, causes & mayChange, true, some))
                std::abort();
        }
        (void)cli::FoldedHashes(line, false, storage);
        (void)cli::Escaped(line);
    }

    const std::string json = cli::JsonReport(
        {comparison.MultipleHitCount(), comparison.SingleHitCount(), &warnings, &nearMisses});
    for (const char c : json)
        if ((c < 0x20 && c != '\n') || static_cast<unsigned char>(c) > 0x7E)
            std::abort();
    return 0;
}
