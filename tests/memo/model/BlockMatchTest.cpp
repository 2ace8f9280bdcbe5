// Block words matched across nested blocks, in either direction, within the lines shown.

#include <gtest/gtest.h>

#include "memo/model/AdvMemoStrings.h"
#include "memo/model/BlockMatch.h"

namespace {

TEST(BlockMatch, PartnersAcrossNestedBlocksBothWaysWithinTheLinesShown) {
    TAdvMemoStrings lines(true);
    lines.SetText("begin a;\r\n  if x then BEGIN\r\n  end;\r\nEnd.\r\nbegin(end)");
    const auto match = [&](int line, int column, int first = 0, int last = 9) {
        return MatchBlock(lines, line, column, "begin", "END", first, last, ";.()");
    };
    auto pair = match(0, 2);
    ASSERT_TRUE(pair);
    EXPECT_EQ(pair->Open, (TWordPlace{0, 0, 5}));
    EXPECT_EQ(pair->Close, (TWordPlace{3, 0, 3})); // past the nested pair
    pair = match(2, 3); // from the inner end, upwards
    ASSERT_TRUE(pair);
    EXPECT_EQ(pair->Open, (TWordPlace{1, 12, 5}));
    EXPECT_EQ(pair->Close, (TWordPlace{2, 2, 3}));
    pair = match(4, 7); // on one line, a symbol between
    ASSERT_TRUE(pair);
    EXPECT_EQ(pair->Close, (TWordPlace{4, 6, 3}));
    EXPECT_FALSE(match(0, 2, 0, 2)); // the partner lies below the lines shown
    EXPECT_FALSE(match(1, 6));        // "then" is no block word
    EXPECT_FALSE(MatchBlock(lines, 0, 2, "", "END", 0, 9, ""));
}

} // namespace
