// dyadlist-compare: compares two list files with the window program's load rules and
// comparison; see UsageText() in Options.cpp.

#include <csignal>
#include <string>
#include <vector>

#include "cli/CompareCommand.h"

int main(int argc, char** argv) {
    // Before anything is opened, so nothing takes the number of a closed standard stream.
    const cli::StandardStreams streams = cli::StandardStreams::Guard();
    // A closed pipe then shows up as EPIPE from write(), reported like any other write failure.
    std::signal(SIGPIPE, SIG_IGN);
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return cli::RunCompareTool(args, streams.Output(), streams.Error(), streams);
}
