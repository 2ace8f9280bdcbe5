// read-lists LEFT RIGHT: the read floor of dyadlist-compare. Maps or reads and splits both
// lists exactly as the tool does (the right one on a second thread), prints their line
// counts, and does nothing else, so compare-vs-sort.sh can show what the comparison and the
// writing add to it.

#include <cstdio>
#include <exception>
#include <future>
#include <string>

#include "core/FileText.h"
#include "core/LineText.h"

namespace {

core::LoadedList Load(const std::string& fileName) {
    return core::LoadedList(core::FileText::Open(fileName, core::FileKinds::AnyReadable));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "Usage: read-lists LEFT RIGHT\n");
        return 2;
    }
    try {
        const std::string leftName = argv[1], rightName = argv[2];
        std::future<core::LoadedList> right =
            std::async(std::launch::async, [&] { return Load(rightName); });
        const core::LoadedList left = Load(leftName);
        std::printf("%zu %zu\n", left.Count(), right.get().Count());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
