// make-lists DIR [LINES]: writes DIR/left.txt and DIR/right.txt for the comparison benchmark.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "ListGenerator.h"

namespace {

bool WriteFile(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "Usage: make-lists DIR [LINES]\n");
        return 2;
    }
    const std::string dir = argv[1];
    const std::size_t lines = argc == 3 ? std::strtoull(argv[2], nullptr, 10) : 1000000;
    const bench::ListPair pair = bench::MakeListPair(lines);
    for (const auto& [name, bytes] : {std::pair{"/left.txt", &pair.left},
                                      std::pair{"/right.txt", &pair.right}}) {
        if (!WriteFile(dir + name, *bytes)) {
            std::perror((dir + name).c_str());
            return 1;
        }
    }
    return 0;
}
