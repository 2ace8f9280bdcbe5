// Near misses against Unicode's own data (Debian's unicode-data): every capital of
// CaseFolding.txt meets its folded form under letter case, and every source string of
// NormalizationTest.txt meets its composed form.

#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/NearMisses.h"
#include "core/LineText.h"
#include "core/ListComparison.h"

namespace {

const std::string kUnicodeData = "/usr/share/unicode/";

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | cp >> 6);
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | cp >> 12);
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | cp >> 18);
        out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

/// "0044 0307" as UTF-8.
std::string CodePoints(const std::string& hex) {
    std::istringstream in(hex);
    std::string out;
    for (std::string word; in >> word;)
        AppendUtf8(out, static_cast<char32_t>(std::stoul(word, nullptr, 16)));
    return out;
}

/// The fields of a data line, before its comment.
std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line.substr(0, line.find('#')));
    for (std::string field; std::getline(in, field, ';');)
        fields.push_back(field);
    return fields;
}

struct Explained {
    std::set<std::size_t> leftIndexes; // left lines in a pair of the cause asked for
    std::uint64_t total = 0;
    std::uint64_t singleHits = 0;
};

Explained Explain(const std::string& left, const std::string& right, cli::NearMissCause cause) {
    const core::LoadedList l(left), r(right);
    const core::ListComparison comparison(l, r);
    const cli::NearMisses nearMisses(comparison);
    Explained explained;
    for (const cli::NearMissPair& pair : nearMisses.Pairs()) {
        if (pair.cause == cause)
            explained.leftIndexes.insert(pair.leftIndex);
    }
    explained.total = nearMisses.Total();
    explained.singleHits = comparison.SingleHitCount();
    return explained;
}

TEST(UnicodeData, EveryCapitalMeetsItsFoldedFormUnderCase) {
    std::ifstream file(kUnicodeData + "CaseFolding.txt");
    if (!file)
        GTEST_SKIP() << "no " << kUnicodeData << "CaseFolding.txt (Debian's unicode-data)";
    std::string left, right;
    std::size_t pairs = 0;
    for (std::string line; std::getline(file, line);) {
        const std::vector<std::string> f = Fields(line);
        if (f.size() < 3 || (f[1] != " C" && f[1] != " S"))
            continue;
        left += CodePoints(f[0]) + "\n";
        right += CodePoints(f[2]) + "\n";
        ++pairs;
    }
    ASSERT_GT(pairs, 1400u);
    const Explained explained = Explain(left, right, cli::NearMissCause::kCase);
    EXPECT_EQ(explained.leftIndexes.size(), pairs);
}

TEST(UnicodeData, EverySourceMeetsItsComposedForm) {
    const std::string path = kUnicodeData + "NormalizationTest.txt.bz2";
    if (!std::ifstream(path))
        GTEST_SKIP() << "no " << path << " (Debian's unicode-data)";
    std::FILE* pipe = ::popen(("bzcat " + path).c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string text;
    char chunk[65536];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;)
        text.append(chunk, n);
    ASSERT_EQ(::pclose(pipe), 0);
    std::istringstream in(text);
    std::string left, right;
    std::size_t differing = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#' || line[0] == '@')
            continue;
        const std::vector<std::string> f = Fields(line);
        if (f.size() < 2 || f[0] == f[1])
            continue;
        left += CodePoints(f[0]) + "\n";
        right += CodePoints(f[1]) + "\n";
        ++differing;
    }
    ASSERT_GT(differing, 2900u);
    const Explained explained = Explain(left, right, cli::NearMissCause::kComposition);
    EXPECT_EQ(explained.total, explained.singleHits);
}

} // namespace
