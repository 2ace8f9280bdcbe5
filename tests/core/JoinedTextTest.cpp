// Joined text: every line followed by CR LF. JoinedTextsEqual must agree with comparing the
// built texts, however the bytes are cut into lines.

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "core/LineText.h"

namespace {

using Views = std::vector<std::string_view>;

TEST(JoinedText, EveryLineEndsWithCrLf) {
    EXPECT_EQ(core::JoinedText(Views{}), "");
    EXPECT_EQ(core::JoinedText(Views{""}), "\r\n");
    EXPECT_EQ(core::JoinedText(Views{"a", "", "b"}), "a\r\n\r\nb\r\n");
}

TEST(JoinedText, EqualityFollowsTheJoinedBytes) {
    EXPECT_TRUE(core::JoinedTextsEqual(Views{}, Views{}));
    EXPECT_TRUE(core::JoinedTextsEqual(Views{"a", "b"}, Views{"a", "b"}));
    // No lines against one empty line: "" against CR LF.
    EXPECT_FALSE(core::JoinedTextsEqual(Views{}, Views{""}));
    EXPECT_FALSE(core::JoinedTextsEqual(Views{""}, Views{}));
    EXPECT_FALSE(core::JoinedTextsEqual(Views{"", ""}, Views{""}));
    EXPECT_FALSE(core::JoinedTextsEqual(Views{"a"}, Views{"a "}));
    EXPECT_FALSE(core::JoinedTextsEqual(Views{"a"}, Views{"A"}));
    EXPECT_FALSE(core::JoinedTextsEqual(Views{"b", "a"}, Views{"a", "b"}));
    EXPECT_FALSE(core::JoinedTextsEqual(Views{"ab"}, Views{"a", "b"}));
    // A line holding CR LF itself joins to the same bytes as the two lines it would split into.
    EXPECT_TRUE(core::JoinedTextsEqual(Views{"a\r\nb"}, Views{"a", "b"}));
    EXPECT_TRUE(core::JoinedTextsEqual(Views{"a", "b"}, Views{"a\r\nb"}));
    EXPECT_TRUE(core::JoinedTextsEqual(Views{"\r\n"}, Views{"", ""}));
    EXPECT_TRUE(core::JoinedTextsEqual(Views{"a\r\n", "b"}, Views{"a", "", "b"}));
    EXPECT_FALSE(core::JoinedTextsEqual(Views{"a\nb"}, Views{"a", "b"}));
}

TEST(JoinedText, EqualityMatchesBuiltTextsOnRandomLists) {
    std::mt19937 random(7);
    const std::string alphabet = "ab\r\n";
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> lineCount(0, 4);
    std::uniform_int_distribution<int> lineLength(0, 3);
    auto randomLines = [&] {
        std::vector<std::string> lines(static_cast<std::size_t>(lineCount(random)));
        for (std::string& line : lines)
            for (int i = lineLength(random); i > 0; --i)
                line += alphabet[pick(random)];
        return lines;
    };
    int equalPairs = 0;
    for (int round = 0; round < 50000; ++round) {
        const std::vector<std::string> a = randomLines(), b = randomLines();
        const Views va(a.begin(), a.end()), vb(b.begin(), b.end());
        const bool expected = core::JoinedText(va) == core::JoinedText(vb);
        equalPairs += expected;
        ASSERT_EQ(core::JoinedTextsEqual(va, vb), expected)
            << testing::PrintToString(a) << " vs " << testing::PrintToString(b);
    }
    EXPECT_GT(equalPairs, 100); // the equal side was exercised too
}

} // namespace
