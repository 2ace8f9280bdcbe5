#include "cluster/kernel/EntryRender.h"

#include <charconv>
#include <string>

#include "cluster/kernel/Wire.h"
#include "core/BigArray.h"

namespace cluster {

namespace {

struct Entry {
    std::uint32_t copies = 0; // 0: no entry at this index
    std::string_view text;
};

constexpr std::size_t kFlushAt = 1 << 20;

} // namespace

void RenderEntries(const std::vector<std::string_view>& partitions, const RenderSettings& settings,
                   const std::function<void(std::string_view)>& write) {
    // 1. Every entry to the place of its line index.
    core::BigArray<Entry> entries(settings.lines);
    for (const std::string_view records : partitions) {
        WireReader reader(records);
        while (!reader.AtEnd()) {
            const std::uint32_t index = reader.U32();
            const std::uint32_t copies = settings.multipleHits ? reader.U32() : 1;
            const std::string_view text = reader.Bytes(reader.U32());
            if (index >= entries.size() || entries[index].copies != 0 || copies == 0)
                throw WireError("an entry out of its block, given twice or with no copy");
            entries[index] = {copies, text};
        }
    }

    // 2. The entries in order, with their line numbers when asked.
    std::string out;
    out.reserve(kFlushAt + 4096);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry& entry = entries[i];
        for (std::uint32_t k = 0; k < entry.copies; ++k) {
            if (settings.lineNumbers) {
                char digits[24];
                const auto end =
                    std::to_chars(digits, digits + sizeof digits, settings.firstLine + i + 1).ptr;
                out.push_back(settings.letter);
                out.append(digits, end);
                out.push_back(':');
            }
            out.append(entry.text);
            out.push_back('\n');
            if (out.size() >= kFlushAt) {
                write(out);
                out.clear();
            }
        }
    }
    write(out);
}

} // namespace cluster
