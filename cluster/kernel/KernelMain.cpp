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
// Numbers are 8 bytes and every byte string comes after its size (Wire.h). A child process
// rather than an extension module of the interpreter: the worker's Python needs nothing
// built for it, and a failure here fails one task, which the client reports, instead of the
// worker. Exit status: 0 done, 1 failed (the reason on standard error), 2 wrong usage.

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstring>
#include <exception>
#include <new>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "cluster/kernel/BlockSplit.h"
#include "cluster/kernel/EntryRender.h"
#include "cluster/kernel/PartitionCount.h"
#include "cluster/kernel/Wire.h"

namespace {

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string ReadAll(int fd) {
    std::string bytes;
    std::size_t used = 0;
    for (;;) {
        if (bytes.size() - used < (1 << 16))
            bytes.resize(std::max<std::size_t>(bytes.size() * 2, 1 << 20));
        const ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw std::system_error(errno, std::generic_category(), "reading standard input");
        }
        used += static_cast<std::size_t>(n);
    }
    bytes.resize(used);
    return bytes;
}

void WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw std::system_error(errno, std::generic_category(), "writing standard output");
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

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
    const std::string text = ReadAll(STDIN_FILENO);
    const cluster::BlockText block{text, Number(args[1]) != 0,
                                   static_cast<std::size_t>(Number(args[2]))};
    if (block.owned + (block.hasBefore ? 1 : 0) > text.size())
        throw cluster::WireError("the block is shorter than its size");
    const cluster::SplitBlock split =
        cluster::SplitBlockLines(block, static_cast<std::uint32_t>(partitions));

    std::string header;
    cluster::PutU64(header, split.facts.lines);
    cluster::PutU64(header, split.facts.nulAt ? *split.facts.nulAt + 1 : 0);
    cluster::PutU64(header, split.facts.lf);
    cluster::PutU64(header, split.facts.crLf);
    WriteAll(STDOUT_FILENO, header);
    for (const std::string& records : split.partitions) {
        std::string size;
        cluster::PutU64(size, records.size());
        WriteAll(STDOUT_FILENO, size);
        WriteAll(STDOUT_FILENO, records);
    }
    return 0;
}

int Count(const std::vector<std::string>& args) {
    if (args.size() != 4 || (args[0] != "L" && args[0] != "R"))
        throw UsageError("count L|R CHECK_IDENTICAL LEFT_BLOCKS RIGHT_BLOCKS");
    const std::string input = ReadAll(STDIN_FILENO);
    cluster::WireReader reader(input);
    std::vector<cluster::BlockRecords> left(Number(args[2])), right(Number(args[3]));
    for (std::vector<cluster::BlockRecords>* blocks : {&left, &right}) {
        for (cluster::BlockRecords& block : *blocks) {
            block.firstLine = reader.U64();
            block.records = reader.Sized();
        }
    }
    if (!reader.AtEnd())
        throw cluster::WireError("more input than its blocks");
    const cluster::PartitionResult result = cluster::CountPartition(
        left, right, args[0] == "L" ? core::LineIndex::kLeft : core::LineIndex::kRight,
        Number(args[1]) != 0);

    std::string out;
    cluster::PutU64(out, result.multipleHits);
    cluster::PutU64(out, result.singleHits);
    cluster::PutU64(out, result.identical ? 1 : 0);
    for (const std::vector<std::string>* parts :
         {&result.multiple, &result.leftSingle, &result.rightSingle}) {
        for (const std::string& records : *parts)
            cluster::PutSized(out, records);
    }
    WriteAll(STDOUT_FILENO, out);
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
    const std::string input = ReadAll(STDIN_FILENO);
    cluster::WireReader reader(input);
    std::vector<std::string_view> partitions(Number(args[5]));
    for (std::string_view& records : partitions)
        records = reader.Sized();
    if (!reader.AtEnd())
        throw cluster::WireError("more input than its partitions");
    cluster::RenderEntries(partitions, settings,
                           [](std::string_view text) { WriteAll(STDOUT_FILENO, text); });
    return 0;
}

void Tell(const std::string& message) {
    const std::string line = "dyadlist-cluster-kernel: " + message + "\n";
    [[maybe_unused]] const ssize_t n = ::write(STDERR_FILENO, line.data(), line.size());
}

} // namespace

int main(int argc, char** argv) {
    std::signal(SIGPIPE, SIG_IGN);
    const std::vector<std::string> words(argv + (argc > 0 ? 1 : 0), argv + argc);
    try {
        if (words.empty())
            throw UsageError("split, count or render");
        const std::vector<std::string> args(words.begin() + 1, words.end());
        if (words[0] == "split")
            return Split(args);
        if (words[0] == "count")
            return Count(args);
        if (words[0] == "render")
            return Render(args);
        throw UsageError("unknown command " + words[0]);
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
