// Loads one list file into a list editor as "Load List 1" does, in a fresh process, and
// prints the load's wall time and the line count: the first load of a session, which a
// benchmark's warm repeats do not show. Peak memory comes from GNU time around it.
//
//   memo-load FILE

#include <chrono>
#include <cstdio>
#include <exception>

#include "memo/AdvMemo.h"
#include "platform/Forms.h"

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
        std::printf("%.3f s %d lines\n", took.count(), memo.Lines().Count());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
