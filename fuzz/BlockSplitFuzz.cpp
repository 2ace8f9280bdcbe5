// A list cut into blocks as dyadlist-cluster cuts it: from any bytes and any block size, the
// lines the blocks own, block after block up to the one holding the first NUL, are the
// list's lines as the load rules split the whole, and their line ends are counted alike.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "cluster/kernel/BlockSplit.h"
#include "core/LineText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t blockSize = 1 + data[0] % 32; // small, so boundaries fall everywhere
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    std::vector<std::string_view> expected;
    core::ForEachLine(text, [&](std::string_view line) { expected.push_back(line); });
    const std::string_view beforeNul = core::TextBeforeNul(text);
    std::uint64_t lf = 0, crLf = 0;
    for (std::size_t i = 0; i < beforeNul.size(); ++i) {
        if (beforeNul[i] == '\n')
            ++(i > 0 && beforeNul[i - 1] == '\r' ? crLf : lf);
    }

    // What a task is given: the byte before its block, the block, and the bytes through the
    // first CR, LF or NUL after it.
    std::vector<std::string_view> lines;
    cluster::BlockFacts total;
    for (std::size_t start = 0; start < text.size(); start += blockSize) {
        const std::size_t end = std::min(start + blockSize, text.size());
        std::size_t through = end;
        while (through < text.size() && text[through] != '\r' && text[through] != '\n' &&
               text[through] != '\0')
            ++through;
        through = std::min(through + 1, text.size());
        const std::size_t from = start > 0 ? start - 1 : 0;
        const cluster::BlockText block{text.substr(from, through - from), start > 0, end - start};
        const cluster::BlockFacts facts =
            cluster::ForEachOwnedLine(block, [&](std::string_view line) { lines.push_back(line); });
        total.lines += facts.lines;
        total.lf += facts.lf;
        total.crLf += facts.crLf;
        if (facts.nulAt) {
            if (start + *facts.nulAt != beforeNul.size())
                std::abort();
            break;
        }
    }
    if (lines != expected || total.lines != expected.size() || total.lf != lf || total.crLf != crLf)
        std::abort();
    return 0;
}
