// The load rules: breaks, the final break, NUL, tabs; checked on the documented cases and
// against a plain character-by-character scan on random texts.

#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/LineText.h"

namespace {

using Lines = std::vector<std::string>;
using namespace std::string_literals;

Lines Load(const std::string& bytes, int tabSize = core::kDefaultTabSize) {
    const core::LoadedList list(bytes, tabSize);
    const std::vector<std::string_view> views = core::Views(list);
    EXPECT_EQ(views.size(), list.Count());
    return Lines(views.begin(), views.end());
}

// The scan as the editor describes it, one character at a time, tabs replaced as lines are
// added.
Lines ReferenceLoad(const std::string& bytes) {
    Lines lines;
    std::string line;
    for (std::size_t i = 0; i < bytes.size() && bytes[i] != '\0'; ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else if (c == '\t') {
            line += "    ";
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    if (lines.empty())
        lines.push_back("");
    return lines;
}

TEST(LoadRules, Breaks) {
    EXPECT_EQ(Load("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(Load("a\r\nb"), (Lines{"a", "b"}));
    EXPECT_EQ(Load("a\n\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(Load("a\rb"), (Lines{"a", "b"}));
    EXPECT_EQ(Load("a\nb\n"), (Lines{"a", "b"}));
    // LF CR is two breaks, the second ending an empty line.
    EXPECT_EQ(Load("a\n\rb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(Load("a\r\r\nb"), (Lines{"a", "", "b"}));
    // Only the very last break adds no line; earlier empty lines stay.
    EXPECT_EQ(Load("a\r\n\r\n"), (Lines{"a", ""}));
    EXPECT_EQ(Load("\r\n"), (Lines{""}));
    EXPECT_EQ(Load("\n\n"), (Lines{"", ""}));
}

TEST(LoadRules, TextWithoutLinesLoadsAsOneEmptyLine) {
    EXPECT_EQ(Load(""), (Lines{""}));
    EXPECT_EQ(Load("\0abc"s), (Lines{""}));
    EXPECT_EQ(core::LoadedList("").Count(), 1u);
}

TEST(LoadRules, FirstNulEndsTheText) {
    EXPECT_EQ(Load("ab\0cd\r\nef"s), (Lines{"ab"}));
    EXPECT_EQ(Load("ab\r\n\0cd"s), (Lines{"ab"}));
    EXPECT_EQ(Load("ab\r\0\ncd"s), (Lines{"ab"}));
    EXPECT_EQ(core::TextBeforeNul("ab\0cd"s), "ab");
    EXPECT_EQ(core::TextBeforeNul("abc"), "abc");
    EXPECT_EQ(core::TextBeforeNul(""), "");
}

TEST(LoadRules, Utf16TextStopsAtItsFirstNul) {
    // "hi" CR LF in UTF-16 little endian with its byte order mark.
    const std::string bytes = "\xFF\xFEh\0i\0\r\0\n\0"s;
    EXPECT_EQ(Load(bytes), (Lines{"\xFF\xFEh"}));
}

TEST(LoadRules, TabsArePlainSubstitutions) {
    EXPECT_EQ(Load("a\tb"), (Lines{"a    b"}));
    EXPECT_EQ(Load("abc\t\td\r\n\t"), (Lines{"abc        d", "    "}));
    EXPECT_EQ(Load("a\tb", 2), (Lines{"a  b"}));
    EXPECT_EQ(core::ReplaceTabs("\tx\t", 3), "   x   ");
    EXPECT_EQ(core::ReplaceTabs("no tabs", 4), "no tabs");
    // A tab after the NUL is not part of the text.
    EXPECT_EQ(Load("a\0\tb"s), (Lines{"a"}));
}

TEST(LoadRules, ForEachLineLeavesTabsAndPointsIntoTheText) {
    const std::string text = "x\ty\r\nz";
    std::vector<std::string_view> seen;
    core::ForEachLine(text, [&](std::string_view line) { seen.push_back(line); });
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], "x\ty");
    EXPECT_EQ(seen[0].data(), text.data());
    EXPECT_EQ(seen[1].data(), text.data() + 5);
    // No lines at all, unlike a loaded list.
    int calls = 0;
    core::ForEachLine("", [&](std::string_view) { ++calls; });
    core::ForEachLine("\0a"s, [&](std::string_view) { ++calls; });
    EXPECT_EQ(calls, 0);
}

TEST(LoadRules, MovedListKeepsItsLines) {
    core::LoadedList list(std::string("one\r\ntwo"));
    const char* first = core::Views(list)[0].data();
    const core::LoadedList moved = std::move(list);
    ASSERT_EQ(moved.Count(), 2u);
    EXPECT_EQ(core::Views(moved)[0].data(), first);
    EXPECT_EQ(core::Views(moved)[1], "two");
}

TEST(LoadRules, MatchesCharacterScanOnRandomTexts) {
    std::mt19937 random(20240611);
    const std::string alphabet = "ab \t\r\n\r\n\0"s;
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 24);
    std::uniform_int_distribution<int> longLength(0, 4000); // walks in several batches
    for (int round = 0; round < 20000; ++round) {
        std::string bytes;
        for (int i = round % 200 == 0 ? longLength(random) : length(random); i > 0; --i)
            bytes += alphabet[pick(random)];
        ASSERT_EQ(Load(bytes), ReferenceLoad(bytes)) << "bytes: " << testing::PrintToString(bytes);
    }
}

} // namespace
