#pragma once
// The run of dyadlist-compare: parse the arguments, load both lists, compare, write the entry
// lists and the counts. Standard output and error are descriptors so tests can capture them.

#include <span>
#include <string>

namespace cli {

enum ExitStatus : int {
    kExitCompared = 0,
    kExitFileError = 1,
    kExitUsage = 2,
    kExitNothingToCompare = 3,
};

/// Runs the tool on `args` (the arguments after the program name) and returns its exit status.
int RunCompareTool(std::span<const std::string> args, int outFd, int errFd);

} // namespace cli
