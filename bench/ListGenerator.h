#pragma once
// Two list files shaped like real work: lines of 6 to 24 printable bytes, about half of the
// right list's lines also on the left, about 1% repeated lines on each list and a few empty
// lines. A fixed seed gives the same bytes on every machine (no standard distributions, whose
// results differ between libraries).

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace bench {

struct ListPair {
    std::string left;  // lines ending in LF
    std::string right; // lines ending in LF
};

inline ListPair MakeListPair(std::size_t lineCount, std::uint64_t seed = 20240611) {
    std::mt19937_64 random(seed);
    auto below = [&](std::uint64_t n) { return static_cast<std::size_t>(random() % n); };
    auto randomLine = [&] {
        std::string line(6 + below(19), ' ');
        for (char& c : line)
            c = static_cast<char>(' ' + below(95)); // printable ASCII, space to tilde
        return line;
    };

    // Each list's lines before the shared ones are placed: 1% repeats of an earlier line of the
    // same list, ten empty lines, the rest fresh.
    auto makeList = [&](auto&& lineAt) {
        std::vector<std::string> lines;
        lines.reserve(lineCount);
        for (std::size_t i = 0; i < lineCount; ++i) {
            if (i > 0 && below(100) == 0)
                lines.push_back(lines[below(i)]);
            else if (below(lineCount / 10 + 1) == 0)
                lines.emplace_back();
            else
                lines.push_back(lineAt(i));
        }
        return lines;
    };

    const std::vector<std::string> left = makeList([&](std::size_t) { return randomLine(); });

    // Shared lines are drawn without replacement, so sharing adds no duplicates of its own.
    std::vector<std::size_t> order(left.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    for (std::size_t i = order.size(); i > 1; --i)
        std::swap(order[i - 1], order[below(i)]);
    std::size_t nextShared = 0;
    const std::vector<std::string> right = makeList([&](std::size_t) {
        if (below(2) == 0 && nextShared < order.size())
            return left[order[nextShared++]];
        return randomLine();
    });

    auto join = [](const std::vector<std::string>& lines) {
        std::string text;
        for (const std::string& line : lines) {
            text += line;
            text += '\n';
        }
        return text;
    };
    return {join(left), join(right)};
}

} // namespace bench
