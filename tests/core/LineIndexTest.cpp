// The line index numbers distinct lines; growing its table must keep every id.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/LineIndex.h"

namespace {

TEST(LineIndex, EqualLinesShareAnId) {
    core::LineIndex index(4);
    const std::string a1 = "alpha", a2 = "alpha";
    EXPECT_EQ(index.Intern(a1), 0u);
    EXPECT_EQ(index.Intern("beta"), 1u);
    EXPECT_EQ(index.Intern(a2), 0u);
    EXPECT_EQ(index.Intern(""), 2u);
    EXPECT_EQ(index.Intern(""), 2u);
    EXPECT_EQ(index.Intern("Alpha"), 3u);
    EXPECT_EQ(index.Intern("alpha "), 4u);
    EXPECT_EQ(index.DistinctCount(), 5u);
    EXPECT_EQ(index.Line(0), "alpha");
}

TEST(LineIndex, GrowthKeepsIdsStableAndDistinct) {
    // Started far too small, so the table grows many times.
    core::LineIndex index(1);
    std::vector<std::string> lines;
    for (int i = 0; i < 100000; ++i)
        lines.push_back("line " + std::to_string(i * 7919 % 100003));
    for (std::size_t i = 0; i < lines.size(); ++i)
        ASSERT_EQ(index.Intern(lines[i]), i);
    ASSERT_EQ(index.DistinctCount(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ASSERT_EQ(index.Intern(lines[i]), i);
        ASSERT_EQ(index.Line(static_cast<core::LineIndex::Id>(i)), lines[i]);
    }
    EXPECT_EQ(index.DistinctCount(), lines.size());
}

TEST(LineIndex, LinesSharingLongPrefixesStayApart) {
    // Differences only in the last byte, or only in the length, past an 8-byte word.
    core::LineIndex index(0);
    const std::string base(40, 'p');
    std::vector<std::string> lines;
    for (int i = 0; i < 256; ++i)
        lines.push_back(base + static_cast<char>(i));
    for (std::size_t n = 0; n <= base.size(); ++n)
        lines.push_back(base.substr(0, n));
    for (std::size_t i = 0; i < lines.size(); ++i)
        ASSERT_EQ(index.Intern(lines[i]), i) << i;
    for (std::size_t i = 0; i < lines.size(); ++i)
        ASSERT_EQ(index.Intern(lines[i]), i) << i;
}

} // namespace
