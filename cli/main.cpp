// dyadlist-compare: compares two list files with the window program's load rules and
// comparison; see UsageText() in Options.cpp.

#include <csignal>
#include <string>
#include <vector>

#include <unistd.h>

#include "cli/CompareCommand.h"

int main(int argc, char** argv) {
    // A closed pipe then shows up as EPIPE from write(), reported like any other write failure.
    std::signal(SIGPIPE, SIG_IGN);
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return cli::RunCompareTool(args, STDOUT_FILENO, STDERR_FILENO);
}
