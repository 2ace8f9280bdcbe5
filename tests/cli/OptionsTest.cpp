// The command line: every accepted form, and every misuse as a UsageError.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/Options.h"

namespace {

using Args = std::vector<std::string>;
using cli::Options;

Options Parse(const Args& args) {
    return cli::ParseOptions(args);
}

std::string UsageErrorOf(const Args& args) {
    try {
        cli::ParseOptions(args);
    } catch (const cli::UsageError& error) {
        return error.what();
    }
    return "<accepted>";
}

TEST(Options, FilesOnly) {
    const Options options = Parse({"left.txt", "right.txt"});
    EXPECT_EQ(options.action, Options::Action::Compare);
    EXPECT_EQ(options.left, "left.txt");
    EXPECT_EQ(options.right, "right.txt");
    EXPECT_EQ(options.multipleHitsFile, "");
    EXPECT_EQ(options.singleHitsFile, "");
    EXPECT_FALSE(options.WritesEntriesToStandardOutput());
}

TEST(Options, OutputFileForms) {
    for (const Args& args :
         {Args{"-m", "M", "-s", "S", "L", "R"},
          Args{"L", "--multiple-hits", "M", "R", "--single-hits", "S"},
          Args{"--multiple-hits=M", "--single-hits=S", "L", "R"}, Args{"-mM", "-sS", "L", "R"}}) {
        const Options options = Parse(args);
        EXPECT_EQ(options.multipleHitsFile, "M") << testing::PrintToString(args);
        EXPECT_EQ(options.singleHitsFile, "S") << testing::PrintToString(args);
        EXPECT_EQ(options.left, "L");
        EXPECT_EQ(options.right, "R");
    }
    // A value that looks like an option is still the value.
    EXPECT_EQ(Parse({"-m", "-s", "L", "R"}).multipleHitsFile, "-s");
    EXPECT_EQ(Parse({"--single-hits=a=b", "L", "R"}).singleHitsFile, "a=b");
}

TEST(Options, FlagsAloneClusteredAndBeforeAValue) {
    EXPECT_FALSE(Parse({"L", "R"}).lineNumbers);
    EXPECT_FALSE(Parse({"L", "R"}).quiet);
    for (const Args& args :
         {Args{"-n", "-q", "L", "R"}, Args{"L", "--line-numbers", "R", "--quiet"},
          Args{"-qnmM", "L", "R"}}) {
        const Options options = Parse(args);
        EXPECT_TRUE(options.lineNumbers) << testing::PrintToString(args);
        EXPECT_TRUE(options.quiet) << testing::PrintToString(args);
        EXPECT_EQ(options.left, "L");
    }
    EXPECT_EQ(Parse({"-qnmM", "L", "R"}).multipleHitsFile, "M");
}

TEST(Options, StandardOutput) {
    EXPECT_TRUE(Parse({"-m", "-", "L", "R"}).WritesEntriesToStandardOutput());
    EXPECT_TRUE(Parse({"-s", "-", "L", "R"}).WritesEntriesToStandardOutput());
    // Both lists may go to standard output, one after the other.
    EXPECT_TRUE(Parse({"-m", "-", "-s", "-", "L", "R"}).WritesEntriesToStandardOutput());
}

TEST(Options, FileNamesThatLookLikeOptions) {
    // "-" is standard input, once.
    EXPECT_EQ(Parse({"-", "R"}).left, "/dev/stdin");
    EXPECT_EQ(Parse({"L", "-"}).right, "/dev/stdin");
    EXPECT_THROW(Parse({"-", "-"}), cli::UsageError);
    const Options ended = Parse({"-m", "M", "--", "-x", "--help"});
    EXPECT_EQ(ended.left, "-x");
    EXPECT_EQ(ended.right, "--help");
    EXPECT_EQ(ended.action, Options::Action::Compare);
}

TEST(Options, HelpAndVersionWinOverEverythingElse) {
    EXPECT_EQ(Parse({"--help"}).action, Options::Action::Help);
    EXPECT_EQ(Parse({"-h"}).action, Options::Action::Help);
    EXPECT_EQ(Parse({"L", "--help", "--bogus"}).action, Options::Action::Help);
    EXPECT_EQ(Parse({"--version"}).action, Options::Action::Version);
}

TEST(Options, Misuse) {
    EXPECT_EQ(UsageErrorOf({}), "two list files are needed");
    EXPECT_EQ(UsageErrorOf({"L"}), "two list files are needed");
    EXPECT_EQ(UsageErrorOf({"L", "R", "X"}), "more than two list files given");
    EXPECT_EQ(UsageErrorOf({"-x", "L", "R"}), "unknown option -x");
    EXPECT_EQ(UsageErrorOf({"--multiple", "M", "L", "R"}), "unknown option --multiple");
    EXPECT_EQ(UsageErrorOf({"--multiple-hitsX", "L", "R"}), "unknown option --multiple-hitsX");
    EXPECT_EQ(UsageErrorOf({"L", "R", "-m"}), "option --multiple-hits needs a file name");
    EXPECT_EQ(UsageErrorOf({"--single-hits=", "L", "R"}), "option --single-hits needs a file name");
    EXPECT_EQ(UsageErrorOf({"-s", "", "L", "R"}), "option --single-hits needs a file name");
    EXPECT_EQ(UsageErrorOf({"-m", "a", "-m", "b", "L", "R"}), "option --multiple-hits given twice");
    EXPECT_EQ(UsageErrorOf({"--quiet", "-xn", "L", "R"}), "unknown option -x");
    EXPECT_EQ(UsageErrorOf({"--quiet=yes", "L", "R"}), "option --quiet takes no value");
    EXPECT_EQ(UsageErrorOf({"--line", "L", "R"}), "unknown option --line");
    EXPECT_EQ(UsageErrorOf({"--single=S", "L", "R"}), "unknown option --single");
}

} // namespace
