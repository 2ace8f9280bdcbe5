#include "cli/Options.h"

#include <optional>
#include <string_view>
#include <vector>

namespace cli {

namespace {

struct OutputOption {
    std::string_view shortName;
    std::string_view longName;
    std::string Options::*target;
};

constexpr OutputOption kOutputOptions[] = {
    {"-m", "--multiple-hits", &Options::multipleHitsFile},
    {"-s", "--single-hits", &Options::singleHitsFile},
};

void SetOutput(Options& options, const OutputOption& option, std::string value) {
    if (value.empty())
        throw UsageError("option " + std::string(option.longName) + " needs a file name");
    std::string& target = options.*(option.target);
    if (!target.empty())
        throw UsageError("option " + std::string(option.longName) + " given twice");
    target = std::move(value);
}

} // namespace

Options ParseOptions(std::span<const std::string> args) {
    Options options;
    std::vector<std::string> files;
    bool optionsEnded = false;

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        // A lone "-" is a file name, like any argument after "--".
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            files.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            options.action = Options::Action::Help;
            return options;
        }
        if (arg == "--version") {
            options.action = Options::Action::Version;
            return options;
        }

        bool matched = false;
        for (const OutputOption& option : kOutputOptions) {
            std::optional<std::string> value;
            if (arg == option.shortName || arg == option.longName) {
                if (i + 1 == args.size())
                    throw UsageError("option " + std::string(option.longName) +
                                     " needs a file name");
                value = args[++i];
            } else if (arg.starts_with(option.longName) && arg.size() > option.longName.size() &&
                       arg[option.longName.size()] == '=') {
                value = std::string(arg.substr(option.longName.size() + 1));
            } else if (arg.starts_with(option.shortName) && arg[1] != '-') {
                value = std::string(arg.substr(option.shortName.size())); // -mFILE
            }
            if (value) {
                SetOutput(options, option, std::move(*value));
                matched = true;
                break;
            }
        }
        if (!matched)
            throw UsageError("unknown option " + std::string(arg));
    }

    if (files.size() != 2)
        throw UsageError(files.size() < 2 ? "two list files are needed"
                                          : "more than two list files given");
    options.left = std::move(files[0]);
    options.right = std::move(files[1]);
    // One name for both outputs is checked once they are open (OutputFile::ClashesWith): only
    // a regular file would have its entries overwritten, /dev/null may well take both.
    return options;
}

std::string UsageText() {
    return "Usage: dyadlist-compare [-m FILE] [-s FILE] LEFT RIGHT\n"
           "Compares two lists of lines and prints the number of multiple hits (lines found on\n"
           "both lists, once per matching pair) and of single hits (non-empty lines found on\n"
           "only one list). Lines end at CR, LF or CR LF; a NUL byte ends a list; a tab counts\n"
           "as four spaces.\n"
           "\n"
           "  -m, --multiple-hits FILE  write the multiple hits to FILE, one per line\n"
           "  -s, --single-hits FILE    write the single hits to FILE, one per line\n"
           "  -h, --help                show this help and exit\n"
           "      --version             show the version and exit\n"
           "\n"
           "FILE \"-\" is standard output; the counts then go to standard error.\n"
           "LEFT and RIGHT may be pipes: /dev/stdin, or <(command) in bash.\n"
           "Exit status: 0 compared, 1 a file could not be read or written, 2 wrong usage,\n"
           "3 the lists are identical or one of them holds no line.\n";
}

} // namespace cli
