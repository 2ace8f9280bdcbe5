#pragma once
// The command line of dyadlist-compare: [OPTION]... LEFT RIGHT; see UsageText().

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

namespace cli {

/// The output name that stands for standard output, and the list name for standard input.
inline constexpr std::string_view kStandardOutputName = "-";
/// What a list named "-" is read from.
inline constexpr std::string_view kStandardInputPath = "/dev/stdin";

struct Options {
    enum class Action { Compare, Help, Version };

    Action action = Action::Compare;
    std::string left;
    std::string right;
    std::string multipleHitsFile; // empty: not written
    std::string singleHitsFile;   // empty: not written
    bool lineNumbers = false;     // entries prefixed with L12: or R40:
    bool quiet = false;           // no warnings about the input
    bool explain = false;         // the near misses' summary after the counts
    std::string nearMissesFile;   // empty: not written
    bool json = false;            // the counts, warnings and near misses as one JSON object
    /// The most multiple hits written to a file: a × b copies of one line can ask for
    /// terabytes. Standard output streams any number (a reader may stop when it likes).
    std::uint64_t maxMultipleHits = kDefaultMaxMultipleHits;
    static constexpr std::uint64_t kDefaultMaxMultipleHits = 10'000'000'000;
    /// The memory the comparison may hold, in bytes; 0: DefaultMemoryBudget(). Past it, the
    /// lists are compared out of core, through spill files.
    std::uint64_t memory = 0;
    std::string temporaryDirectory; // for the spill files; empty: $TMPDIR, else /tmp

    /// Whether an entry list or the near misses go to standard output, which moves the counts to
    /// standard error.
    bool WritesEntriesToStandardOutput() const {
        return multipleHitsFile == kStandardOutputName || singleHitsFile == kStandardOutputName ||
               nearMissesFile == kStandardOutputName;
    }
};

/// Wrong usage; the message says what is wrong, without the usage text.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Parses the arguments after the program name.
Options ParseOptions(std::span<const std::string> args);

/// The help text, ending in a newline.
std::string UsageText();

} // namespace cli
