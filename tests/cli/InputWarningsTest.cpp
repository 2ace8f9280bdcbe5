// The warnings about a list's bytes: each trap found, and none on a clean list.

#include <string>

#include <gtest/gtest.h>

#include "cli/InputWarnings.h"

namespace {

using namespace std::string_literals;

std::string WarningsOf(const std::string& bytes) {
    std::string all;
    for (const std::string& warning : cli::InputWarnings(core::FileText(bytes), "f"))
        all += warning + "|";
    return all;
}

bool Says(const std::string& warnings, const std::string& part) {
    return warnings.find(part) != std::string::npos;
}

TEST(InputWarnings, CleanListsSayNothing) {
    EXPECT_EQ(WarningsOf(""), "");
    EXPECT_EQ(WarningsOf("a\nb\nc"), "");
    EXPECT_EQ(WarningsOf("a\r\nb\r\n"), "");
    // A lone CR is a break of its own, not a CR LF: no mix with LF.
    EXPECT_EQ(WarningsOf("a\rb\nc\n"), "");
    // One byte that is no NUL among the NULs at odd positions: not UTF-16.
    EXPECT_EQ(WarningsOf("a\0b\0cd\0\0"s).find("UTF"), std::string::npos);
}

TEST(InputWarnings, WideEncodings) {
    const std::string le = "a\0b\0\n\0"s, be = "\0a\0b\0\n"s;
    for (const std::string& bytes : {"\xFF\xFE"s + le, "\xFE\xFF"s + be, le, be}) {
        const std::string warnings = WarningsOf(bytes);
        EXPECT_TRUE(Says(warnings, "\"f\" looks like UTF-16")) << warnings;
        EXPECT_TRUE(Says(warnings, "iconv -f UTF-16 -t UTF-8")) << warnings;
    }
    EXPECT_TRUE(Says(WarningsOf("\xFF\xFE\0\0a\0\0\0"s), "looks like UTF-32"));
    EXPECT_TRUE(Says(WarningsOf("\0\0\xFE\xFF\0\0\0a"s), "looks like UTF-32"));
    // Zeros alone are no UTF-16.
    EXPECT_EQ(WarningsOf(std::string(300, '\0')).find("UTF"), std::string::npos);
    // Too short to tell: two bytes.
    EXPECT_EQ(WarningsOf("a\0"s).find("UTF"), std::string::npos);
}

TEST(InputWarnings, NulCutsTheListShort) {
    EXPECT_EQ(WarningsOf("ab\ncd\0efgh"s),
              "\"f\" holds a NUL byte at offset 5, which ends the list; the 4 bytes after it are "
              "not read|");
    EXPECT_TRUE(Says(WarningsOf("a\0"s), "offset 1, which ends the list; the 0 bytes after"));
    // Line ends after the NUL are not read, so they make no mix.
    EXPECT_FALSE(Says(WarningsOf("a\nb\n\0c\r\n"s), "mix"));
}

TEST(InputWarnings, MixedLineEnds) {
    EXPECT_EQ(WarningsOf("a\r\nb\nc\r\nd\r\n"),
              "\"f\" has lines ending in a mix of LF (1) and CR LF (3); both end a line alike|");
    // A LF at the very start has no CR before it.
    EXPECT_TRUE(Says(WarningsOf("\na\r\n"), "LF (1) and CR LF (1)"));
}

} // namespace
