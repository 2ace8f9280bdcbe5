// dyadlist-cluster-kernel: the work inside one task of dyadlist-cluster, run by its Dask
// workers as a child process that reads its input on standard input and writes its result on
// standard output. Three commands, one per step (BlockSplit.h, PartitionCount.h,
// EntryRender.h):
//
//   split PARTITIONS HAS_BEFORE OWNED
//     in:  the block's text (BlockText: the byte before it when HAS_BEFORE is 1, its OWNED
//          bytes, the bytes that finish its last line)
//     out: lines, first NUL + 1 (0: none), lone LFs, CR LFs; then each partition's records
//   count DRIVING CHECK_IDENTICAL LEFT_BLOCKS RIGHT_BLOCKS
//     in:  per block of the left list, then of the right: its first line's number, records
//     out: multiple hits, single hits, identical (0 or 1); then the multiple hits of each
//          block of the driving list (L or R), the single hits of each left block, of each
//          right block
//   render multiple|single LETTER FIRST_LINE LINES LINE_NUMBERS PARTITIONS
//     in:  the records of one block from each of PARTITIONS partitions
//     out: the entries' text
//
// Numbers are 8 bytes and every byte string comes after its size (Wire.h); input and output
// are memory files when dyadlist-cluster runs it (KernelIo.h), pipes by hand. A child process
// rather than an extension module of the interpreter: the worker's Python needs nothing
// built for it, and a failure here fails one task, which the client reports, instead of the
// worker. Exit status: 0 done, 1 failed (the reason on standard error), 2 wrong usage. With
// --report-peak first, a run that succeeds ends by telling its peak memory on standard error.

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "cluster/kernel/BlockSplit.h"
#include "cluster/kernel/EntryRender.h"
#include "cluster/kernel/KernelIo.h"
#include "cluster/kernel/PartitionCount.h"
#include "cluster/kernel/Wire.h"

namespace {

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::uint64_t Number(const std::string& word) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (word.empty() || error != std::errc() || end != word.data() + word.size())
        throw UsageError("not a number: " + word);
    return value;
}

int Split(const std::vector<std::string>& args) {
    if (args.size() != 3)
        throw UsageError("split PARTITIONS HAS_BEFORE OWNED");
    const std::uint64_t partitions = Number(args[0]);
    if (partitions == 0 || partitions > 1u << 20)
        throw UsageError("PARTITIONS must be 1 to 1048576");
    const cluster::Input input;
    const cluster::BlockText block{input.Bytes(), Number(args[1]) != 0,
                                   static_cast<std::size_t>(Number(args[2]))};
    if (block.owned + (block.hasBefore ? 1 : 0) > block.text.size())
        throw cluster::WireError("the block is shorter than its size");
    const cluster::SplitBlock split =
        cluster::SplitBlockLines(block, static_cast<std::uint32_t>(partitions));

    cluster::Output out;
    out.Number(split.facts.lines);
    out.Number(split.facts.nulAt ? *split.facts.nulAt + 1 : 0);
    out.Number(split.facts.lf);
    out.Number(split.facts.crLf);
    for (const cluster::GrowingBytes& records : split.partitions) {
        out.Number(records.View().size());
        out.Write(records.View());
    }
    out.Flush();
    return 0;
}

int Count(const std::vector<std::string>& args) {
    if (args.size() != 4 || (args[0] != "L" && args[0] != "R"))
        throw UsageError("count L|R CHECK_IDENTICAL LEFT_BLOCKS RIGHT_BLOCKS");
    const cluster::Input input;
    cluster::WireReader reader(input.Bytes());
    std::vector<cluster::BlockRecords> left(Number(args[2])), right(Number(args[3]));
    for (std::vector<cluster::BlockRecords>* blocks : {&left, &right}) {
        for (cluster::BlockRecords& block : *blocks) {
            block.firstLine = reader.U64();
            block.records = reader.Sized();
        }
    }
    if (!reader.AtEnd())
        throw cluster::WireError("more input than its blocks");
    const cluster::PartitionCount count(
        left, right, args[0] == "L" ? core::LineIndex::kLeft : core::LineIndex::kRight);

    cluster::Output out;
    out.Number(count.MultipleHits());
    out.Number(count.SingleHits());
    out.Number(Number(args[1]) != 0 && count.Identical() ? 1 : 0);
    count.WriteEntries([&](std::uint64_t size) { out.Number(size); },
                       [&](std::string_view bytes) { out.Write(bytes); });
    out.Flush();
    return 0;
}

int Render(const std::vector<std::string>& args) {
    if (args.size() != 6 || (args[0] != "multiple" && args[0] != "single") ||
        (args[1] != "L" && args[1] != "R"))
        throw UsageError("render multiple|single L|R FIRST_LINE LINES LINE_NUMBERS PARTITIONS");
    cluster::RenderSettings settings;
    settings.multipleHits = args[0] == "multiple";
    settings.letter = args[1][0];
    settings.firstLine = Number(args[2]);
    settings.lines = Number(args[3]);
    settings.lineNumbers = Number(args[4]) != 0;
    const cluster::Input input;
    cluster::WireReader reader(input.Bytes());
    std::vector<std::string_view> partitions(Number(args[5]));
    for (std::string_view& records : partitions)
        records = reader.Sized();
    if (!reader.AtEnd())
        throw cluster::WireError("more input than its partitions");
    cluster::Output out;
    cluster::RenderEntries(partitions, settings, [&](std::string_view text) { out.Write(text); });
    out.Flush();
    return 0;
}

/// "peak-kb N" on standard error: this process's peak memory, for --worker-stats. Read from
/// /proc: the kernel's own figures still hold its parent's from before the exec.
void ReportPeak() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return;
    char line[256];
    unsigned long kb = 0;
    while (std::fgets(line, sizeof line, status)) {
        if (std::sscanf(line, "VmHWM: %lu kB", &kb) == 1)
            break;
    }
    std::fclose(status);
    const std::string text = "peak-kb " + std::to_string(kb) + "\n";
    [[maybe_unused]] const ssize_t n = ::write(STDERR_FILENO, text.data(), text.size());
}

void Tell(const std::string& message) {
    const std::string line = "dyadlist-cluster-kernel: " + message + "\n";
    [[maybe_unused]] const ssize_t n = ::write(STDERR_FILENO, line.data(), line.size());
}

} // namespace

int main(int argc, char** argv) {
    std::signal(SIGPIPE, SIG_IGN);
    std::vector<std::string> words(argv + (argc > 0 ? 1 : 0), argv + argc);
    const bool reportPeak = !words.empty() && words[0] == "--report-peak";
    if (reportPeak)
        words.erase(words.begin());
    try {
        if (words.empty())
            throw UsageError("[--report-peak] split, count or render");
        const std::vector<std::string> args(words.begin() + 1, words.end());
        int status = 0;
        if (words[0] == "split")
            status = Split(args);
        else if (words[0] == "count")
            status = Count(args);
        else if (words[0] == "render")
            status = Render(args);
        else
            throw UsageError("unknown command " + words[0]);
        if (reportPeak)
            ReportPeak();
        return status;
    } catch (const UsageError& error) {
        Tell(std::string("usage: ") + error.what());
        return 2;
    } catch (const std::bad_alloc&) {
        Tell(std::strerror(ENOMEM));
    } catch (const std::exception& error) {
        Tell(error.what());
    }
    return 1;
}
