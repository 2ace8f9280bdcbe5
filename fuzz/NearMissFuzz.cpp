// Bytes of any kind taken as two lists for dyadlist-compare's readers: split at the first
// 0xFF byte (or in the middle), warned about, compared, and explained, with every fold of
// every line and the JSON report. Nothing may crash, hang or read outside the bytes; a JSON
// report holds printable ASCII only.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "cli/InputWarnings.h"
#include "cli/JsonReport.h"
#include "cli/LineFolding.h"
#include "cli/NearMisses.h"
#include "core/LineText.h"
#include "core/ListComparison.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::size_t split = bytes.find('\xFF');
    if (split == std::string_view::npos)
        split = size / 2;
    const std::string left(bytes.substr(0, split));
    const std::string right(bytes.substr(std::min(split + 1, size)));

    std::vector<std::string> warnings = cli::InputWarnings(left, "left");
    for (std::string& w : cli::InputWarnings(right, "right"))
        warnings.push_back(std::move(w));

    const core::LoadedList l(left), r(right);
    const core::ListComparison comparison(l, r);
    const cli::NearMisses nearMisses(comparison);
    for (const cli::NearMissPair& pair : nearMisses.Pairs())
        (void)cli::NearMisses::PairLine(pair);
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
