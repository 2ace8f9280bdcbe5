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

TEST(LineIndex, LongLinesAreKeptWhole) {
    // From 65,535 bytes on a line's length does not fit beside its address; such a line is
    // kept aside and must still compare and read back whole.
    core::LineIndex index(4);
    const std::string longest(70000, 'x'), copy = longest, longer = longest + "y";
    const std::string limit(65535, 'x'), below(65534, 'x');
    EXPECT_EQ(index.Count(longest, core::LineIndex::Hash(longest), core::LineIndex::kLeft), 0u);
    EXPECT_EQ(index.Intern(longer), 1u);
    EXPECT_EQ(index.Intern(limit), 2u);
    EXPECT_EQ(index.Intern(below), 3u);
    EXPECT_EQ(index.Count(copy, core::LineIndex::Hash(copy), core::LineIndex::kRight), 0u);
    EXPECT_EQ(index.Line(0).data(), longest.data());
    EXPECT_EQ(index.Line(0).size(), longest.size());
    EXPECT_EQ(index.Line(1), longer);
    EXPECT_EQ(index.Line(2), limit);
    EXPECT_EQ(index.Line(3).data(), below.data());
    EXPECT_EQ(index.Line(3), below);
    EXPECT_EQ(index.Copies(0, core::LineIndex::kLeft), 1u);
    EXPECT_EQ(index.Copies(0, core::LineIndex::kRight), 1u);
}

} // namespace
