#include "cli/Options.h"

#include <charconv>
#include <string_view>
#include <vector>

#include <getopt.h>

namespace cli {

namespace {

// The values getopt_long returns: the short letter, or a code of its own for a long-only one.
enum OptionCode : int {
    kFileArgument = 1, // what getopt_long returns for a non-option in "-" mode
    kHelp = 'h',
    kMultipleHits = 'm',
    kLineNumbers = 'n',
    kQuiet = 'q',
    kSingleHits = 's',
    kVersion = 256,
    kExplain,
    kNearMisses,
    kJson,
    kMaxMultipleHits,
    kMemory,
    kTemporaryDirectory,
};

constexpr option kLongOptions[] = {
    {"explain", no_argument, nullptr, kExplain},
    {"help", no_argument, nullptr, kHelp},
    {"json", no_argument, nullptr, kJson},
    {"line-numbers", no_argument, nullptr, kLineNumbers},
    {"max-multiple-hits", required_argument, nullptr, kMaxMultipleHits},
    {"memory", required_argument, nullptr, kMemory},
    {"multiple-hits", required_argument, nullptr, kMultipleHits},
    {"near-misses", required_argument, nullptr, kNearMisses},
    {"quiet", no_argument, nullptr, kQuiet},
    {"single-hits", required_argument, nullptr, kSingleHits},
    {"temporary-directory", required_argument, nullptr, kTemporaryDirectory},
    {"version", no_argument, nullptr, kVersion},
    {nullptr, 0, nullptr, 0},
};

// "-": non-options come back in order as kFileArgument, so nothing is permuted and
// POSIXLY_CORRECT changes nothing. ":": a missing value is told apart from an unknown option.
constexpr char kShortOptions[] = "-:hm:nqs:";

std::string LongNameOf(int code) {
    for (const option& o : kLongOptions) {
        if (o.name != nullptr && o.val == code)
            return std::string("--") + o.name;
    }
    return "-" + std::string(1, static_cast<char>(code));
}

void SetOutput(std::string& target, int code, const char* value) {
    if (value == nullptr || *value == '\0')
        throw UsageError("option " + LongNameOf(code) + " needs a file name");
    if (!target.empty())
        throw UsageError("option " + LongNameOf(code) + " given twice");
    target = value;
}

/// A count given to option `code`: decimal digits only.
std::uint64_t Count(int code, const char* value) {
    const std::string_view text = value != nullptr ? value : "";
    std::uint64_t count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        text.front() == '+' || text.front() == '-')
        throw UsageError("option " + LongNameOf(code) + " needs a count, not \"" +
                         std::string(text) + "\"");
    return count;
}

/// A size given to --memory: decimal digits, then K, M or G (1024, 1024², 1024³ bytes) or
/// nothing (bytes); at least 1K.
std::uint64_t MemorySize(const char* value) {
    const std::string_view text = value != nullptr ? value : "";
    std::uint64_t unit = 1;
    std::string_view digits = text;
    if (!text.empty()) {
        switch (text.back()) {
        case 'K':
        case 'k':
            unit = std::uint64_t{1} << 10;
            break;
        case 'M':
        case 'm':
            unit = std::uint64_t{1} << 20;
            break;
        case 'G':
        case 'g':
            unit = std::uint64_t{1} << 30;
            break;
        default:
            break;
        }
        if (unit != 1)
            digits.remove_suffix(1);
    }
    std::uint64_t count = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), count);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
        count > UINT64_MAX / unit || count * unit < 1024)
        throw UsageError("option --memory needs a size of at least 1K, such as 512M or 4G, not \"" +
                         std::string(text) + "\"");
    return count * unit;
}

/// getopt_long takes any unambiguous start of a long name ("--multiple" for
/// "--multiple-hits"); only the whole name is an option here, so that a later option cannot
/// change what an old command line means. `argument` is the word that held the option.
void RequireWholeName(std::string_view argument, int longIndex) {
    const std::string_view written = argument.substr(2, argument.find('=') - 2);
    if (written != kLongOptions[longIndex].name)
        throw UsageError("unknown option " + std::string(argument.substr(0, argument.find('='))));
}

/// getopt_long's argument vector: copies, as it wants them writable.
class ArgumentVector {
public:
    explicit ArgumentVector(std::span<const std::string> args) {
        words_.emplace_back("dyadlist-compare");
        words_.insert(words_.end(), args.begin(), args.end());
        for (std::string& word : words_)
            pointers_.push_back(word.data());
        pointers_.push_back(nullptr);
    }
    int Count() const { return static_cast<int>(words_.size()); }
    char** Pointers() { return pointers_.data(); }
    std::string_view operator[](int i) const { return words_[static_cast<std::size_t>(i)]; }

private:
    std::vector<std::string> words_;
    std::vector<char*> pointers_;
};

} // namespace

Options ParseOptions(std::span<const std::string> args) {
    Options options;
    std::vector<std::string> files;
    ArgumentVector argv(args);

    optind = 0; // 0, not 1: getopt_long starts over, forgetting the last parse's state
    opterr = 0; // the messages are ours
    for (;;) {
        int longIndex = -1;
        const int code =
            getopt_long(argv.Count(), argv.Pointers(), kShortOptions, kLongOptions, &longIndex);
        if (code == -1)
            break;
        if (longIndex >= 0) {
            // The option's word is the last one read, or the one before when its value was.
            const bool valueApart = optarg != nullptr && optind >= 2 &&
                                    argv[optind - 1].data() == std::string_view(optarg).data();
            RequireWholeName(argv[optind - (valueApart ? 2 : 1)], longIndex);
        }
        switch (code) {
        case kFileArgument:
            files.emplace_back(optarg);
            break;
        case kHelp:
            options.action = Options::Action::Help;
            return options;
        case kVersion:
            options.action = Options::Action::Version;
            return options;
        case kMultipleHits:
            SetOutput(options.multipleHitsFile, code, optarg);
            break;
        case kSingleHits:
            SetOutput(options.singleHitsFile, code, optarg);
            break;
        case kNearMisses:
            SetOutput(options.nearMissesFile, code, optarg);
            break;
        case kJson:
            options.json = true;
            break;
        case kMaxMultipleHits:
            options.maxMultipleHits = Count(code, optarg);
            break;
        case kMemory:
            options.memory = MemorySize(optarg);
            break;
        case kTemporaryDirectory:
            if (optarg == nullptr || *optarg == '\0')
                throw UsageError("option --temporary-directory needs a directory");
            options.temporaryDirectory = optarg;
            break;
        case kExplain:
            options.explain = true;
            break;
        case kLineNumbers:
            options.lineNumbers = true;
            break;
        case kQuiet:
            options.quiet = true;
            break;
        case ':':
            throw UsageError("option " + LongNameOf(optopt) +
                             (optopt == kMaxMultipleHits      ? " needs a count"
                              : optopt == kMemory             ? " needs a size"
                              : optopt == kTemporaryDirectory ? " needs a directory"
                                                              : " needs a file name"));
        default: {
            // optopt is an unknown short letter, or a known long option given a value it does
            // not take, or 0 for an unknown long option, which is then the word just read.
            const std::string_view word = argv[optind - 1];
            const std::string name(word.substr(0, word.find('=')));
            if (optopt != 0 && word.starts_with("--") && LongNameOf(optopt) == name)
                throw UsageError("option " + name + " takes no value");
            if (optopt != 0)
                throw UsageError("unknown option -" + std::string(1, static_cast<char>(optopt)));
            throw UsageError("unknown option " + name);
        }
        }
    }
    // After "--", the rest are file names.
    for (int i = optind; i < argv.Count(); ++i)
        files.emplace_back(argv[i]);

    if (files.size() != 2)
        throw UsageError(files.size() < 2 ? "two list files are needed"
                                          : "more than two list files given");
    // "-" is standard input, as sort, comm and join take it; it can be read only once.
    if (files[0] == kStandardOutputName && files[1] == kStandardOutputName)
        throw UsageError("LEFT and RIGHT cannot both be standard input");
    for (std::string& file : files) {
        if (file == kStandardOutputName)
            file = kStandardInputPath;
    }
    options.left = std::move(files[0]);
    options.right = std::move(files[1]);
    // One name for both outputs is checked once they are open (OutputFile::ClashesWith): only
    // a regular file would have its entries overwritten, /dev/null may well take both.
    return options;
}

std::string UsageText() {
    return "Usage: dyadlist-compare [OPTION]... LEFT RIGHT\n"
           "Compares two lists of lines and prints the number of multiple hits (lines found on\n"
           "both lists, once per matching pair) and of single hits (non-empty lines found on\n"
           "only one list). Lines end at CR, LF or CR LF; a NUL byte ends a list; a tab counts\n"
           "as four spaces.\n"
           "\n"
           "  -m, --multiple-hits FILE  write the multiple hits to FILE, one per line\n"
           "  -s, --single-hits FILE    write the single hits to FILE, one per line\n"
           "  -n, --line-numbers        prefix each entry written with its line: L12: or R40:\n"
           "                            (a multiple hit: the line of the list it follows)\n"
           "      --explain             after the counts, the near misses: single hits that\n"
           "                            equal one of the other list but for blanks at either\n"
           "                            end, letter case, encoding (UTF-8 against\n"
           "                            Windows-1252), a byte order mark, composed or\n"
           "                            combining accents, or invisible characters; a\n"
           "                            count per cause and examples\n"
           "      --near-misses FILE    write every near miss to FILE: left and right line\n"
           "                            numbers, cause, both lines escaped, by tabs\n"
           "      --json                the counts, the warnings and (with --explain) the\n"
           "                            near misses as one JSON object, in the counts' place\n"
           "      --max-multiple-hits N  write at most N multiple hits to a FILE (default\n"
           "                            10000000000): past it, nothing is written\n"
           "      --memory SIZE         the memory the comparison may hold (K, M, G: 1024,\n"
           "                            1024², 1024³ bytes; default half of the physical\n"
           "                            memory); larger lists are compared through\n"
           "                            temporary files, with the same results\n"
           "      --temporary-directory DIR  where those files go (default $TMPDIR, else\n"
           "                            /tmp); they are removed however the run ends\n"
           "  -q, --quiet               no warnings about the input and no progress line\n"
           "                            on standard error\n"
           "  -h, --help                show this help and exit\n"
           "      --version             show the version and exit\n"
           "\n"
           "A value may also follow as --option=VALUE or -mVALUE; \"--\" ends the options.\n"
           "FILE \"-\" is standard output; the counts then go to standard error.\n"
           "LEFT or RIGHT \"-\" is standard input; either may be a pipe: <(command) in bash.\n"
           "A run of more than a second shows its progress on standard error when that is a\n"
           "terminal.\n"
           "Warnings on standard error, which change no result: a list that looks like UTF-16\n"
           "or UTF-32, a list cut short by a NUL byte, lines ending in a mix of LF and CR LF.\n"
           "Exit status: 0 compared, 1 a file could not be read or written, 2 wrong usage\n"
           "(an output that is one of the lists included: nothing is written then),\n"
           "3 the lists are identical or one of them holds no line.\n";
}

} // namespace cli
