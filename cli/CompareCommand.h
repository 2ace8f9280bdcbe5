#pragma once
// The run of dyadlist-compare: parse the arguments, load both lists, compare, write the entry
// lists and the counts. Standard output and error are descriptors so tests can capture them.

#include <span>
#include <string>

#include "cli/StandardStreams.h"

namespace cli {

enum ExitStatus : int {
    kExitCompared = 0,
    kExitFileError = 1,
    kExitUsage = 2,
    kExitNothingToCompare = 3,
};

/// Runs the tool on `args` (the arguments after the program name) and returns its exit status.
/// `outFd` or `errFd` may be -1, a stream that is closed; `streams` says which of the
/// process's own were found closed.
int RunCompareTool(std::span<const std::string> args, int outFd, int errFd,
                   const StandardStreams& streams = {});

} // namespace cli
