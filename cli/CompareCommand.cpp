#include "cli/CompareCommand.h"

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <exception>
#include <functional>
#include <new>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "cli/Escaping.h"
#include "cli/InputWarnings.h"
#include "cli/JsonReport.h"
#include "cli/ListInput.h"
#include "cli/MemoryBudget.h"
#include "cli/NearMisses.h"
#include "cli/Options.h"
#include "cli/OutputFile.h"
#include "cli/Progress.h"
#include "cli/SpilledComparison.h"
#include "cli/StandardStreams.h"
#include "core/FileBytes.h"
#include "core/FileText.h"
#include "core/LineText.h"
#include "core/ListComparison.h"
#include "core/RunBoth.h"

namespace cli {

namespace {

constexpr std::string_view kProgramName = "dyadlist-compare";

std::string OutOfMemoryReason() {
    return std::generic_category().message(ENOMEM);
}

// Messages to standard error are best effort: there is nowhere left to report their failure.
void TellError(int errFd, std::string_view text) {
    try {
        WriteText(errFd, text, "");
    } catch (const FileWriteError&) {
    }
}

/// A message of one line that may hold the user's bytes (a file name, an argument), shown so
/// that none of them acts on the terminal.
void TellLine(int errFd, std::string_view line) {
    TellError(errFd, Printable(line) + "\n");
}

/// A closed standard stream's names lead to the /dev/null that stands in for it, which would
/// read as an empty list or take entries without a word: they fail as the stream would.
void RefuseClosedStream(const std::string& fileName, const StandardStreams& streams) {
    if (streams.NamesClosed(fileName))
        throw core::FileOpenError(fileName, std::generic_category().message(EBADF));
}

/// The message box text, its CR LF being a plain line break on a terminal.
std::string NothingToCompareText() {
    const std::string_view message = core::kIdenticalListsMessage;
    std::string text;
    for (std::size_t i = 0; i < message.size(); ++i) {
        if (!(message[i] == '\r' && i + 1 < message.size() && message[i + 1] == '\n'))
            text.push_back(message[i]);
    }
    return text + "\n";
}

std::string CountsText(std::uint64_t multipleHits, std::uint64_t singleHits) {
    auto decimal = [](std::uint64_t value) {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        return std::string(digits, end);
    };
    return "multiple hits: " + decimal(multipleHits) + "\nsingle hits: " + decimal(singleHits) +
           "\n";
}

/// A list file truncated while it was mapped read partly as zeros: what was compared is not
/// the file, so it counts as unreadable. Asked after the comparison and again after the
/// entries are written, which read the lines once more; by then the entry files are written,
/// and exit status 1 says not to trust them, as after a failed write.
void CheckUnchanged(const core::LoadedList& list, const std::string& fileName) {
    if (list.File().Shrank())
        throw core::FileOpenError(fileName, "The file shrank while it was read");
}

void CheckUnchanged(const core::LoadedList& left, const core::LoadedList& right,
                    const Options& options) {
    CheckUnchanged(left, options.left);
    CheckUnchanged(right, options.right);
}

/// Writes entries as they are, or after their origin (L12: or R40:) with -n.
class EntryWriter {
public:
    EntryWriter(OutputFile& file, bool lineNumbers) : file_(file), lineNumbers_(lineNumbers) {}

    void operator()(core::ListComparison::Origin origin, std::string_view line) {
        if (!lineNumbers_) {
            file_.WriteLine(line);
            return;
        }
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, origin.index + 1).ptr;
        numbered_.assign(1, origin.list == core::LineIndex::kLeft ? 'L' : 'R');
        numbered_.append(digits, end).append(1, ':').append(line);
        file_.WriteLine(numbered_);
    }

private:
    OutputFile& file_;
    bool lineNumbers_;
    std::string numbered_; // reused, so a numbered entry allocates only when it grows
};

template <class Comparison>
void WriteMultipleHits(const Comparison& comparison, OutputFile& file, bool lineNumbers) {
    comparison.ForEachMultipleHitFrom(EntryWriter(file, lineNumbers));
    file.Finish();
}

template <class Comparison>
void WriteSingleHits(const Comparison& comparison, OutputFile& file, bool lineNumbers) {
    comparison.ForEachSingleHitFrom(EntryWriter(file, lineNumbers));
    file.Finish();
}

/// The warnings about both lists' bytes, told on standard error unless -q, and returned for
/// --json. Told only once the files are known not to have shrunk meanwhile (`checkUnchanged`):
/// the zeros read in place of a cut file's end are no NUL of its own.
std::vector<std::string>
WarnAboutInput(const std::function<InputFacts(core::LineIndex::Side)>& factsOf,
               const Options& options, int errFd, const std::function<void()>& checkUnchanged) {
    std::vector<std::string> warnings;
    if (options.quiet && !options.json)
        return warnings;
    for (const auto& [side, name] : {std::pair{core::LineIndex::kLeft, &options.left},
                                     {core::LineIndex::kRight, &options.right}}) {
        for (std::string& warning : InputWarnings(factsOf(side), *name))
            warnings.push_back(std::move(warning));
    }
    checkUnchanged();
    if (!options.quiet) {
        std::string text;
        for (const std::string& warning : warnings)
            text += Printable(std::string(kProgramName) + ": warning: " + warning) + "\n";
        TellError(errFd, text);
    }
    return warnings;
}

/// Writes both entry lists at once, each on its own thread, unless they go to one place (a
/// pipe, a terminal, standard output twice), where they follow each other: multiple hits
/// first. Both are written even when one fails; the multiple hits' failure is the one
/// reported when both fail.
template <class Comparison>
void WriteBoth(const Comparison& comparison, OutputFile& multipleHits, OutputFile& singleHits,
               bool lineNumbers) {
    const auto multiples = [&] { WriteMultipleHits(comparison, multipleHits, lineNumbers); };
    const auto singles = [&] { WriteSingleHits(comparison, singleHits, lineNumbers); };
    if (multipleHits.SharesTargetWith(singleHits)) {
        multiples();
        singles();
    } else {
        core::RunBoth(multiples, singles);
    }
}

/// The options that name an output file, with the names they give.
struct NamedOutput {
    std::string_view option;
    const std::string& fileName;
};

std::vector<NamedOutput> NamedOutputs(const Options& options) {
    std::vector<NamedOutput> named;
    for (const NamedOutput output : {NamedOutput{"--multiple-hits", options.multipleHitsFile},
                                     NamedOutput{"--single-hits", options.singleHitsFile},
                                     NamedOutput{"--near-misses", options.nearMissesFile}}) {
        if (!output.fileName.empty() && output.fileName != kStandardOutputName)
            named.push_back(output);
    }
    return named;
}

/// Refuses, before anything is opened for writing, every output that is one of the lists:
/// each file named, and standard output, which the counts or the entries go to.
void CheckOutputsSpareTheLists(const ListGuard& lists, const Options& options, int outFd) {
    for (const NamedOutput& output : NamedOutputs(options))
        lists.CheckName(output.fileName, output.option);
    lists.Check(core::DescriptorIdentity(outFd), "standard output");
}

std::optional<OutputFile> OpenOutput(const std::string& fileName, std::string_view option,
                                     int outFd, const ListGuard& lists,
                                     const StandardStreams& streams) {
    if (fileName.empty())
        return std::nullopt;
    RefuseClosedStream(fileName, streams);
    return std::optional<OutputFile>(std::in_place, fileName, outFd, &lists, option);
}

/// What a comparison leaves to report, whichever way it was made (core::ListComparison in
/// memory, SpilledComparison out of core): the warnings, the outputs and the counts.
/// `checkUnchanged` fails when a list changed under the comparison's feet.
template <class Comparison, class Hits>
int Report(const Comparison& comparison, const Hits& singleHits,
           const std::function<InputFacts(core::LineIndex::Side)>& factsOf, const ListGuard& lists,
           const Options& options, int outFd, int errFd, const StandardStreams& streams,
           const std::function<void()>& checkUnchanged) {
    checkUnchanged();
    const std::vector<std::string> warnings =
        WarnAboutInput(factsOf, options, errFd, checkUnchanged);
    if (!comparison.Compares()) {
        TellError(errFd, NothingToCompareText());
        return kExitNothingToCompare;
    }
    // A file of multiple hits is refused past the limit before anything is opened: their
    // count is known, and a × b copies of one line can fill any disk.
    if (!options.multipleHitsFile.empty() && options.multipleHitsFile != kStandardOutputName &&
        comparison.MultipleHitCount() > options.maxMultipleHits)
        throw FileWriteError(options.multipleHitsFile,
                             "It would hold " + std::to_string(comparison.MultipleHitCount()) +
                                 " multiple hits, more than the limit of " +
                                 std::to_string(options.maxMultipleHits) +
                                 " (--max-multiple-hits raises it)");

    // Create both outputs before writing either, so a bad name fails before the long part.
    std::optional<OutputFile> multipleHits =
        OpenOutput(options.multipleHitsFile, "--multiple-hits", outFd, lists, streams);
    std::optional<OutputFile> singleHitsFile =
        OpenOutput(options.singleHitsFile, "--single-hits", outFd, lists, streams);
    std::optional<OutputFile> nearMissesFile =
        OpenOutput(options.nearMissesFile, "--near-misses", outFd, lists, streams);
    if (multipleHits && singleHitsFile && multipleHits->ClashesWith(*singleHitsFile))
        throw UsageError("--multiple-hits and --single-hits name the same file");
    for (const std::optional<OutputFile>* entries : {&multipleHits, &singleHitsFile}) {
        if (nearMissesFile && *entries && nearMissesFile->ClashesWith(**entries))
            throw UsageError("--near-misses names the same file as an entry list");
    }

    const bool lineNumbers = options.lineNumbers;
    {
        Progress progress(errFd, !options.quiet);
        progress.Describe([] { return std::string(kProgramName) + ": writing the entries"; });
        if (multipleHits && singleHitsFile)
            WriteBoth(comparison, *multipleHits, *singleHitsFile, lineNumbers);
        else if (multipleHits)
            WriteMultipleHits(comparison, *multipleHits, lineNumbers);
        else if (singleHitsFile)
            WriteSingleHits(comparison, *singleHitsFile, lineNumbers);
    }
    checkUnchanged();

    std::optional<NearMisses> nearMisses;
    if (options.explain || nearMissesFile) {
        nearMisses.emplace(singleHits);
        checkUnchanged();
        if (nearMissesFile) {
            for (const NearMissPair& pair : nearMisses->Pairs())
                nearMissesFile->WriteLine(NearMisses::PairLine(pair));
            nearMissesFile->Finish();
        }
    }

    const NearMisses* explained = options.explain ? &*nearMisses : nullptr;
    std::string counts;
    if (options.json) {
        counts = JsonReport(
            {comparison.MultipleHitCount(), comparison.SingleHitCount(), &warnings, explained});
    } else {
        counts = CountsText(comparison.MultipleHitCount(), comparison.SingleHitCount());
        if (explained)
            counts += explained->SummaryText();
    }
    if (options.WritesEntriesToStandardOutput())
        TellError(errFd, counts);
    else
        WriteText(outFd, counts, std::string(kStandardOutputName));
    return kExitCompared;
}

/// Opens both lists and compares them in memory when the budget holds them, else out of core.
int Compare(const Options& options, int outFd, int errFd, const StandardStreams& streams) {
    const std::uint64_t budget = options.memory != 0 ? options.memory : DefaultMemoryBudget();
    // Opened side by side: opening a pipe waits for its first bytes. A failing left file is
    // reported first, as if opened first.
    std::optional<ListInput> left, right;
    core::RunBoth(
        [&] {
            RefuseClosedStream(options.left, streams);
            left.emplace(options.left, budget);
        },
        [&] {
            RefuseClosedStream(options.right, streams);
            right.emplace(options.right, budget);
        });
    ListGuard lists;
    lists.Add(left->Identity(), options.left);
    lists.Add(right->Identity(), options.right);
    CheckOutputsSpareTheLists(lists, options, outFd);

    // A stream's first bytes are read, as many as the budget leaves it, to learn whether it
    // is short: most pipes are.
    const auto add = [](std::uint64_t a, std::uint64_t b) {
        return a > ListInput::kUnknown - b ? ListInput::kUnknown : a + b;
    };
    std::uint64_t regularCost = 0;
    int streamCount = 0;
    for (ListInput* input : {&*left, &*right}) {
        if (input->IsStream())
            ++streamCount;
        else
            regularCost = add(regularCost, input->InMemoryCost());
    }
    const std::uint64_t headLimit =
        budget > regularCost && streamCount > 0 ? (budget - regularCost) / streamCount : 0;
    core::RunBoth([&] { left->ReadHead(headLimit); }, [&] { right->ReadHead(headLimit); });
    const bool inMemory = add(left->InMemoryCost(), right->InMemoryCost()) <= budget;

    if (inMemory) {
        // The two files load side by side: reading and splitting are half the run, and the
        // lists do not depend on each other. A failing left file is reported first.
        std::optional<core::LoadedList> loadedLeft, loadedRight;
        core::RunBoth([&] { loadedLeft.emplace(left->Load()); },
                      [&] { loadedRight.emplace(right->Load()); });
        std::optional<core::ListComparison> comparison;
        {
            Progress progress(errFd, !options.quiet);
            progress.Describe([] { return std::string(kProgramName) + ": comparing"; });
            comparison.emplace(*loadedLeft, *loadedRight);
        }
        return Report(
            *comparison, SingleHitsOf<core::ListComparison>(*comparison),
            [&](core::LineIndex::Side side) {
                return FactsOf((side == core::LineIndex::kLeft ? loadedLeft : loadedRight)->File());
            },
            lists, options, outFd, errFd, streams,
            [&] { CheckUnchanged(*loadedLeft, *loadedRight, options); });
    }

    std::optional<SpilledComparison> comparison;
    {
        Progress progress(errFd, !options.quiet);
        SpilledComparison::Settings settings{budget, options.temporaryDirectory};
        settings.leftSize = left->IsStream() ? 0 : left->Size();
        settings.rightSize = right->IsStream() ? 0 : right->Size();
        comparison.emplace(left->Stream(), right->Stream(), settings, progress);
    }
    return Report(
        *comparison, SpilledSingleHits(*comparison),
        [&](core::LineIndex::Side side) {
            return (side == core::LineIndex::kLeft ? left : right)->Stream().Facts();
        },
        lists, options, outFd, errFd, streams, [] {});
}

} // namespace

int RunCompareTool(std::span<const std::string> args, int outFd, int errFd,
                   const StandardStreams& streams) {
    Options options;
    try {
        options = ParseOptions(args);
    } catch (const UsageError& error) {
        TellLine(errFd, std::string(kProgramName) + ": " + error.what());
        TellError(errFd, UsageText());
        return kExitUsage;
    }

    try {
        switch (options.action) {
        case Options::Action::Help:
            WriteText(outFd, UsageText(), std::string(kStandardOutputName));
            return kExitCompared;
        case Options::Action::Version:
            WriteText(outFd, std::string(kProgramName) + " " + DYADLIST_VERSION + "\n",
                      std::string(kStandardOutputName));
            return kExitCompared;
        case Options::Action::Compare:
            return Compare(options, outFd, errFd, streams);
        }
    } catch (const UsageError& error) {
        TellLine(errFd, std::string(kProgramName) + ": " + error.what());
        return kExitUsage;
    } catch (const core::FileOpenError& error) {
        TellLine(errFd, error.what());
    } catch (const FileWriteError& error) {
        TellLine(errFd, error.what());
    } catch (const std::bad_alloc&) {
        TellLine(errFd, "Cannot compare the lists. " + OutOfMemoryReason());
    } catch (const std::exception& error) {
        TellLine(errFd, std::string(kProgramName) + ": " + error.what());
    }
    return kExitFileError;
}

} // namespace cli
