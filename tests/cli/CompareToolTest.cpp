// dyadlist-compare run in-process: standard output and error are captured in temporary files.

#include <cstdio>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "TestFiles.h"
#include "cli/CompareCommand.h"
#include "cli/OutputFile.h"

namespace {

using namespace std::string_literals;
using clitest::Exists;
using clitest::ReadAll;

const std::string kNothingToCompare =
    "either the lists of are identical\nor you have load just one list.\n";

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

std::string Drain(std::FILE* file) {
    std::rewind(file);
    std::string bytes;
    char chunk[4096];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
        bytes.append(chunk, n);
    std::fclose(file);
    return bytes;
}

Result RunTool(const std::vector<std::string>& args, int outFd = -1) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    Result result;
    result.status = cli::RunCompareTool(args, outFd >= 0 ? outFd : fileno(out), fileno(err));
    result.out = Drain(out);
    result.err = Drain(err);
    return result;
}

class CompareTool : public testing::Test {
protected:
    clitest::ScratchDir dir_;
    const std::string left_ = dir_.Write("left.txt", "a\nb\nc\n");
    const std::string right_ = dir_.Write("right.txt", "b\r\nc\r\nd");
};

TEST_F(CompareTool, PrintsCountsAndWritesEntryFiles) {
    const std::string m = dir_.Path("m.txt"), s = dir_.Path("s.txt");
    const Result result = RunTool({"-m", m, "--single-hits=" + s, left_, right_});
    EXPECT_EQ(result.status, cli::kExitCompared);
    EXPECT_EQ(result.out, "multiple hits: 2\nsingle hits: 2\n");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(ReadAll(m), "b\nc\n");
    EXPECT_EQ(ReadAll(s), "a\nd\n");
}

TEST_F(CompareTool, CountsOnlyWithoutOutputFiles) {
    const Result result = RunTool({left_, right_});
    EXPECT_EQ(result.status, cli::kExitCompared);
    EXPECT_EQ(result.out, "multiple hits: 2\nsingle hits: 2\n");
}

TEST_F(CompareTool, EntriesOnStandardOutputMoveCountsToStandardError) {
    Result result = RunTool({"-m", "-", left_, right_});
    EXPECT_EQ(result.status, cli::kExitCompared);
    EXPECT_EQ(result.out, "b\nc\n");
    EXPECT_EQ(result.err, "multiple hits: 2\nsingle hits: 2\n");

    const std::string m = dir_.Path("m.txt");
    result = RunTool({"-s", "-", "-m", m, left_, right_});
    EXPECT_EQ(result.out, "a\nd\n");
    EXPECT_EQ(result.err, "multiple hits: 2\nsingle hits: 2\n");
    EXPECT_EQ(ReadAll(m), "b\nc\n");

    // Both: multiple hits first, then single hits.
    result = RunTool({"-s", "-", "-m", "-", left_, right_});
    EXPECT_EQ(result.out, "b\nc\na\nd\n");
}

TEST_F(CompareTool, ListsAreLoadedByTheEditorsRules) {
    // Tabs, NUL, break styles and empty lines as the window program loads them.
    const std::string l = dir_.Write("l", "x\ty\r\n\r\nsame\rApple\n\0hidden\n"s);
    const std::string r = dir_.Write("r", "x    y\n\nsame\napple\nhidden\n");
    const std::string m = dir_.Path("m"), s = dir_.Path("s");
    const Result result = RunTool({"-m", m, "-s", s, l, r});
    EXPECT_EQ(result.status, cli::kExitCompared);
    // The right list (5 lines) is longer and drives: "x    y", "", "same".
    EXPECT_EQ(ReadAll(m), "x    y\n\nsame\n");
    EXPECT_EQ(ReadAll(s), "Apple\napple\nhidden\n");
    EXPECT_EQ(result.out, "multiple hits: 3\nsingle hits: 3\n");
}

TEST_F(CompareTool, IdenticalListsWriteNothing) {
    const std::string m = dir_.Path("m"), s = dir_.Path("s");
    const std::string crlf = dir_.Write("crlf", "a\r\nb\r\nc");
    const std::string tabbed = dir_.Write("tabbed", "a\nb\nc\n\0more"s);
    for (const auto& [l, r] : {std::pair{left_, left_}, std::pair{crlf, tabbed}}) {
        // -q: the NUL byte in `tabbed` is warned about otherwise.
        const Result result = RunTool({"-q", "-m", m, "-s", s, l, r});
        EXPECT_EQ(result.status, cli::kExitNothingToCompare);
        EXPECT_EQ(result.err, kNothingToCompare);
        EXPECT_EQ(result.out, "");
        EXPECT_FALSE(Exists(m));
        EXPECT_FALSE(Exists(s));
    }
}

TEST_F(CompareTool, EmptyFilesAreOneEmptyLineEach) {
    const std::string empty = dir_.Write("empty", "");
    const std::string breakOnly = dir_.Write("break", "\r\n");
    EXPECT_EQ(RunTool({empty, breakOnly}).status, cli::kExitNothingToCompare);
    // Against a real list, the empty line is just another line.
    const Result result = RunTool({"-m", "-", empty, dir_.Write("x", "x\n\n")});
    EXPECT_EQ(result.status, cli::kExitCompared);
    EXPECT_EQ(result.out, "\n");
    EXPECT_EQ(result.err, "multiple hits: 1\nsingle hits: 1\n");
}

TEST_F(CompareTool, UnreadableListFailsWithTheSystemsReason) {
    const std::string missing = dir_.Path("missing.txt"), m = dir_.Path("m");
    Result result = RunTool({"-m", m, left_, missing});
    EXPECT_EQ(result.status, cli::kExitFileError);
    EXPECT_EQ(result.err, "Cannot open file \"" + missing + "\". No such file or directory\n");
    EXPECT_EQ(result.out, "");
    EXPECT_FALSE(Exists(m));

    const std::string folder = dir_.Path("");
    result = RunTool({folder, right_});
    EXPECT_EQ(result.status, cli::kExitFileError);
    EXPECT_EQ(result.err, "Cannot open file \"" + folder + "\". Is a directory\n");

    // Both lists load at once; when both fail, the left one is the one reported.
    const std::string gone = dir_.Path("gone.txt");
    result = RunTool({missing, gone});
    EXPECT_EQ(result.status, cli::kExitFileError);
    EXPECT_EQ(result.err, "Cannot open file \"" + missing + "\". No such file or directory\n");
}

TEST_F(CompareTool, OutputFileThatCannotBeCreated) {
    const std::string bad = dir_.Path("no/such/folder/s.txt"), m = dir_.Path("m");
    const Result result = RunTool({"-s", bad, "-m", m, left_, right_});
    EXPECT_EQ(result.status, cli::kExitFileError);
    EXPECT_EQ(result.err, "Cannot open file \"" + bad + "\". No such file or directory\n");
    EXPECT_EQ(result.out, "");
    // Both outputs are made before either is written, and the one made is gone again.
    EXPECT_FALSE(clitest::Exists(m));
}

TEST_F(CompareTool, OneRegularFileNamedTwiceIsWrongUsage) {
    const std::string m = dir_.Path("m");
    for (const std::string& other : {m, dir_.Path("./m")}) {
        const Result result = RunTool({"-m", m, "-s", other, left_, right_});
        EXPECT_EQ(result.status, cli::kExitUsage);
        EXPECT_EQ(result.err,
                  "dyadlist-compare: --multiple-hits and --single-hits name the same file\n");
        EXPECT_EQ(result.out, "");
    }
    Result result;

    // The entry file is also where standard output goes.
    const int out = ::open(m.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(out, 0);
    result = RunTool({"-m", "-", "-s", m, left_, right_}, out);
    ::close(out);
    EXPECT_EQ(result.status, cli::kExitUsage);

    // Standard output twice is fine: one list after the other.
    const int devNull = ::open("/dev/null", O_WRONLY);
    ASSERT_GE(devNull, 0);
    EXPECT_EQ(RunTool({"-m", "-", "-s", "-", left_, right_}, devNull).status, cli::kExitCompared);
    ::close(devNull);

    // So is one device named twice.
    result = RunTool({"-m", "/dev/null", "-s", "/dev/null", left_, right_});
    EXPECT_EQ(result.status, cli::kExitCompared);
    EXPECT_EQ(result.out, "multiple hits: 2\nsingle hits: 2\n");
    EXPECT_EQ(result.err, "");
}

TEST_F(CompareTool, FullDiskIsAWriteError) {
    if (!Exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    Result result = RunTool({"-m", "/dev/full", left_, right_});
    EXPECT_EQ(result.status, cli::kExitFileError);
    EXPECT_EQ(result.err, "Cannot write file \"/dev/full\". No space left on device\n");
    EXPECT_EQ(result.out, "");

    // The single hits fail while the multiple hits are written beside them.
    const std::string m = dir_.Path("m");
    result = RunTool({"-m", m, "-s", "/dev/full", left_, right_});
    EXPECT_EQ(result.status, cli::kExitFileError);
    EXPECT_EQ(result.err, "Cannot write file \"/dev/full\". No space left on device\n");
    EXPECT_EQ(result.out, "");

    const int full = ::open("/dev/full", O_WRONLY);
    ASSERT_GE(full, 0);
    result = RunTool({left_, right_}, full); // the count lines themselves
    EXPECT_EQ(result.status, cli::kExitFileError);
    EXPECT_EQ(result.err, "Cannot write file \"-\". No space left on device\n");
    result = RunTool({"-m", "-", left_, right_}, full);
    EXPECT_EQ(result.status, cli::kExitFileError);
    EXPECT_EQ(result.err, "Cannot write file \"-\". No space left on device\n");
    ::close(full);
}

TEST_F(CompareTool, WrongUsage) {
    const Result result = RunTool({left_});
    EXPECT_EQ(result.status, cli::kExitUsage);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.rfind("dyadlist-compare: two list files are needed\nUsage: ", 0), 0u)
        << result.err;
}

TEST_F(CompareTool, HelpAndVersion) {
    Result result = RunTool({"--help"});
    EXPECT_EQ(result.status, cli::kExitCompared);
    EXPECT_EQ(result.out.rfind("Usage: dyadlist-compare [OPTION]... LEFT RIGHT\n", 0), 0u);
    for (const char* option :
         {"-m, --multiple-hits FILE", "-s, --single-hits FILE", "-n, --line-numbers", "-q, --quiet",
          "--explain", "--near-misses FILE", "-h, --help", "--version"})
        EXPECT_NE(result.out.find(option), std::string::npos) << option;
    EXPECT_EQ(result.err, "");
    result = RunTool({"--version"});
    EXPECT_EQ(result.status, cli::kExitCompared);
    EXPECT_EQ(result.out, "dyadlist-compare "s + DYADLIST_VERSION + "\n");
}

TEST_F(CompareTool, LinesLongerThanTheWriteBuffer) {
    // Lines just under, at and over the buffer size, amid short ones, so the buffer is
    // flushed at every kind of boundary.
    const std::size_t size = cli::OutputFile::kBufferSize;
    const std::vector<std::string> lines = {
        std::string(size - 1, 'a'), "x", std::string(size, 'b'),
        std::string(3 * size, 'c'), "y", std::string(size + 1, 'd')};
    std::string listText, expected;
    for (const std::string& line : lines) {
        listText += line + "\n";
        expected += line + "\n";
    }
    const std::string l = dir_.Write("l", listText);
    const std::string r = dir_.Write("r", listText + "z\n");
    const std::string m = dir_.Path("m");
    const Result result = RunTool({"-m", m, l, r});
    EXPECT_EQ(result.status, cli::kExitCompared);
    EXPECT_EQ(result.out, "multiple hits: 6\nsingle hits: 1\n");
    EXPECT_TRUE(ReadAll(m) == expected);
}

TEST_F(CompareTool, CountsPast32Bits) {
    std::string many;
    for (int i = 0; i < 70000; ++i)
        many += "same\n";
    const std::string l = dir_.Write("l", many);
    const std::string r = dir_.Write("r", many + "other\n");
    const Result result = RunTool({l, r});
    EXPECT_EQ(result.status, cli::kExitCompared);
    EXPECT_EQ(result.out, "multiple hits: 4900000000\nsingle hits: 1\n");
}

} // namespace

TEST_F(CompareTool, LineNumbersFollowTheDrivingList) {
    const std::string shorter = dir_.Write("shorter", "a\nb\nb\nx\n");
    const std::string longer = dir_.Write("longer", "b\ny\nb\na\nz\n");
    Result result = RunTool({"-n", "-m", "-", shorter, longer});
    // Each multiple hit is numbered by the line of the longer list it stands for.
    EXPECT_EQ(result.out, "R1:b\nR1:b\nR3:b\nR3:b\nR4:a\n");
    EXPECT_EQ(result.err, "multiple hits: 5\nsingle hits: 3\n");
    result = RunTool({"--line-numbers", "-m", "-", "-s", "-", longer, shorter});
    EXPECT_EQ(result.out, "L1:b\nL1:b\nL3:b\nL3:b\nL4:a\nL2:y\nL5:z\nR4:x\n");
    EXPECT_EQ(result.err, "multiple hits: 5\nsingle hits: 3\n");
}

TEST_F(CompareTool, WarningsChangeNoResultAndQuietSilencesThem) {
    const std::string cut = dir_.Write("cut", "a\r\nb\nhidden\0z\n"s);
    const std::string m = dir_.Path("m");
    Result result = RunTool({"-m", m, cut, right_});
    EXPECT_EQ(result.status, cli::kExitCompared);
    EXPECT_EQ(result.out, "multiple hits: 1\nsingle hits: 4\n");
    EXPECT_EQ(ReadAll(m), "b\n");
    EXPECT_EQ(result.err, "dyadlist-compare: warning: \"" + cut +
                              "\" holds a NUL byte at offset 11, which ends the list; the 2 bytes "
                              "after it are not read\n"
                              "dyadlist-compare: warning: \"" +
                              cut +
                              "\" has lines ending in a mix of LF (1) and CR LF (1); both "
                              "end a line alike\n");
    result = RunTool({"-q", "-m", m, cut, right_});
    EXPECT_EQ(result.out, "multiple hits: 1\nsingle hits: 4\n");
    EXPECT_EQ(result.err, "");
}

TEST_F(CompareTool, ExplainFollowsTheCountsAndNearMissesGoToTheirFile) {
    const std::string l = dir_.Write("l", "Apple \nsame\n"), r = dir_.Write("r", "same\napple\n");
    const std::string pairs = dir_.Path("pairs");
    Result result = RunTool({"--explain", "--near-misses=" + pairs, l, r});
    EXPECT_EQ(result.status, cli::kExitCompared);
    EXPECT_EQ(result.out, "multiple hits: 1\nsingle hits: 2\n"
                          "near misses: 2 of 2 single hits\n  blanks: 2\n"
                          "    L1 \"Apple \"  R2 \"apple\"\n");
    EXPECT_EQ(ReadAll(pairs), "1\t2\tblanks\tApple \tapple\n");
    // Near misses on standard output move the counts to standard error, as entries do.
    result = RunTool({"--near-misses", "-", l, r});
    EXPECT_EQ(result.out, "1\t2\tblanks\tApple \tapple\n");
    EXPECT_EQ(result.err, "multiple hits: 1\nsingle hits: 2\n");
}

TEST_F(CompareTool, JsonHoldsCountsWarningsAndNearMissesWhateverTheBytes) {
    // A quote, a backslash, a control byte, a byte that is no UTF-8, and mixed line ends.
    const std::string l = dir_.Write("l\"\x01", "Say \"hi\"\\ \r\n\x1B\xFF\nsame\n");
    const std::string r = dir_.Write("r", "same\nsay \"hi\"\\\n");
    const Result result = RunTool({"--json", "--explain", l, r});
    EXPECT_EQ(result.status, cli::kExitCompared);
    const nlohmann::json json = nlohmann::json::parse(result.out); // throws when invalid
    EXPECT_EQ(json["multipleHits"], 1);
    EXPECT_EQ(json["singleHits"], 3);
    ASSERT_EQ(json["warnings"].size(), 1u);
    EXPECT_NE(json["warnings"][0].get<std::string>().find("mix of LF (2) and CR LF (1)"),
              std::string::npos);
    EXPECT_EQ(json["nearMisses"]["total"], 2);
    const nlohmann::json& blanks = json["nearMisses"]["causes"]["blanks"];
    EXPECT_EQ(blanks["count"], 2);
    EXPECT_EQ(blanks["examples"][0], nlohmann::json({{"left", 1},
                                                     {"right", 2},
                                                     {"leftText", "Say \"hi\"\\x5C "},
                                                     {"rightText", "say \"hi\"\\x5C"}}));
    EXPECT_EQ(json["nearMisses"]["causes"]["case"]["count"], 0);
    // The warnings go to standard error as well.
    EXPECT_NE(result.err.find("warning"), std::string::npos);
}

namespace {

TEST_F(CompareTool, AnOutputThatIsAListIsRefusedBeforeAnythingIsWritten) {
    const std::string leftBytes = ReadAll(left_), rightBytes = ReadAll(right_);
    const std::string linkToRight = dir_.Path("link"), hardLeft = dir_.Path("hard");
    ASSERT_EQ(::symlink(right_.c_str(), linkToRight.c_str()), 0);
    ASSERT_EQ(::link(left_.c_str(), hardLeft.c_str()), 0);
    const std::string fresh = dir_.Path("fresh");
    for (const char* option : {"-m", "-s", "--near-misses"}) {
        for (const std::string& target :
             {left_, right_, dir_.Path("./left.txt"), linkToRight, hardLeft}) {
            // Another output comes first, so refusing late would have created it.
            const std::string other = option == "-m"s ? "-s" : "-m";
            const Result result = RunTool({other, fresh, option, target, left_, right_});
            EXPECT_EQ(result.status, cli::kExitUsage) << option << " " << target;
            EXPECT_NE(result.err.find("would overwrite the list"), std::string::npos) << result.err;
            EXPECT_EQ(result.out, "");
            EXPECT_EQ(ReadAll(left_), leftBytes);
            EXPECT_EQ(ReadAll(right_), rightBytes);
            EXPECT_FALSE(Exists(fresh));
        }
    }
    // Standard output that is a list, whether entries or only the counts would go there.
    const int out = ::open(right_.c_str(), O_WRONLY | O_APPEND);
    ASSERT_GE(out, 0);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"-m", "-", left_, right_}, {left_, right_}}) {
        const Result result = RunTool(args, out);
        EXPECT_EQ(result.status, cli::kExitUsage);
        EXPECT_EQ(ReadAll(right_), rightBytes);
    }
    ::close(out);
    // A device that is read and written alike is no list to lose.
    EXPECT_EQ(RunTool({"-m", "/dev/null", "/dev/null", right_}).status, cli::kExitCompared);
}

TEST_F(CompareTool, ControlCharactersInNamesAreShownEscaped) {
    const std::string missing = dir_.Path("\x1B[2Jgone\n");
    Result result = RunTool({missing, right_});
    EXPECT_EQ(result.status, cli::kExitFileError);
    EXPECT_EQ(result.err, "Cannot open file \"" + dir_.Path("\\x1B[2Jgone\\x0A") +
                              "\". No such file or directory\n");
    const std::string cut = dir_.Write("cut\x9B"
                                       "1m\xC2\x9B",
                                       "a\0"s);
    result = RunTool({cut, right_});
    EXPECT_EQ(result.err.find("\x1B"), std::string::npos);
    EXPECT_NE(result.err.find("cut\\x9B1m\\xC2\\x9B\" holds a NUL"), std::string::npos)
        << result.err;
    result = RunTool({"--\x1B[31m", left_, right_});
    EXPECT_EQ(result.err.rfind("dyadlist-compare: unknown option --\\x1B[31m\n", 0), 0u);
    // Letters beyond ASCII are no control: shown as they are.
    result = RunTool({dir_.Path("café"), right_});
    EXPECT_NE(result.err.find("café\". No such file"), std::string::npos) << result.err;
}

} // namespace

namespace {

TEST_F(CompareTool, AFileOfMultipleHitsPastTheLimitIsRefusedBeforeAnythingIsWritten) {
    // Three copies against three: nine multiple hits.
    const std::string l = dir_.Write("l", "x\nx\nx\nleft\n"), r = dir_.Write("r", "x\nx\nx\n");
    const std::string m = dir_.Path("m"), s = dir_.Path("s");
    Result result = RunTool({"--max-multiple-hits", "8", "-m", m, "-s", s, l, r});
    EXPECT_EQ(result.status, cli::kExitFileError);
    EXPECT_EQ(result.err, "Cannot write file \"" + m +
                              "\". It would hold 9 multiple hits, more than the limit of 8 "
                              "(--max-multiple-hits raises it)\n");
    EXPECT_FALSE(Exists(m));
    EXPECT_FALSE(Exists(s));
    // At the limit, and on standard output, which streams any number, they are written.
    result = RunTool({"--max-multiple-hits=9", "-m", m, l, r});
    EXPECT_EQ(result.status, cli::kExitCompared);
    EXPECT_EQ(ReadAll(m), "x\nx\nx\nx\nx\nx\nx\nx\nx\n");
    result = RunTool({"--max-multiple-hits", "0", "-m", "-", l, r});
    EXPECT_EQ(result.status, cli::kExitCompared);
    EXPECT_EQ(result.out.size(), 18u);
    // The limit is a count.
    for (const std::string bad : {"-1", "ten", "", "9x", "+9", "99999999999999999999"}) {
        result = RunTool({"--max-multiple-hits=" + bad, l, r});
        EXPECT_EQ(result.status, cli::kExitUsage) << bad;
        EXPECT_NE(result.err.find("--max-multiple-hits needs a count"), std::string::npos)
            << result.err;
    }
    result = RunTool({l, r, "--max-multiple-hits"});
    EXPECT_NE(result.err.find("--max-multiple-hits needs a count"), std::string::npos);
}

} // namespace
