// Loads one list file into a list editor as "Load List 1" does, in a fresh process, and
// prints the load's wall time and the line count: the first load of a session, which a
// benchmark's warm repeats do not show; then the memory the process holds with the list and
// after the editor's Clear ("Clear Left"). Peak memory comes from GNU time around it.
//
//   memo-load FILE

#include <chrono>
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

#include "memo/AdvMemo.h"
#include "platform/Forms.h"

namespace {

/// The process's resident memory in MB (VmRSS), or -1.
long ResidentMegabytes() {
    std::ifstream status("/proc/self/status");
    for (std::string word; status >> word;) {
        if (word == "VmRSS:") {
            long kb = -1;
            status >> kb;
            return kb < 0 ? -1 : kb / 1024;
        }
    }
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: memo-load FILE\n");
        return 2;
    }
    TApplication application(argc, argv, /*offscreen=*/true);
    TAdvMemo memo(nullptr);
    memo.SetBounds(0, 0, 500, 367);
    try {
        const auto start = std::chrono::steady_clock::now();
        memo.Lines().ClearStore();
        memo.Lines().LoadFromFile(argv[1]);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        const int lines = memo.Lines().Count();
        const long withList = ResidentMegabytes();
        memo.Clear();
        std::printf("%.3f s %d lines, %ld MB resident, %ld MB after Clear\n", took.count(), lines,
                    withList, ResidentMegabytes());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
