// dyadlist-compare past its memory budget: compared out of core through spill files, with
// the results of the in-memory run byte for byte, and no spill file left behind.

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "TestFiles.h"
#include "cli/CompareCommand.h"
#include "cli/ListInput.h"
#include "cli/SpilledComparison.h"

namespace {

using clitest::ReadAll;

struct Outputs {
    int status = -1;
    std::string out, err, multiple, single, nearMisses;
};

/// The tool run in-process with `options` and every output written; its files are then read.
Outputs RunWith(const clitest::ScratchDir& dir, std::vector<std::string> options,
                const std::string& left, const std::string& right) {
    const std::string out = dir.Path("out"), err = dir.Path("err");
    const int outFd = ::open(out.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0600);
    const int errFd = ::open(err.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0600);
    for (const char* file : {"m", "s", "n"})
        std::filesystem::remove(dir.Path(file));
    options.insert(options.end(), {"-m", dir.Path("m"), "-s", dir.Path("s"), "--near-misses",
                                   dir.Path("n"), left, right});
    Outputs run;
    run.status = cli::RunCompareTool(options, outFd, errFd);
    ::close(outFd);
    ::close(errFd);
    run.out = ReadAll(out);
    run.err = ReadAll(err);
    run.multiple = ReadAll(dir.Path("m"));
    run.single = ReadAll(dir.Path("s"));
    run.nearMisses = ReadAll(dir.Path("n"));
    return run;
}

bool Empty(const std::string& folder) {
    return std::filesystem::is_empty(folder);
}

/// A list of random lines from a small pool (so lines repeat and meet across the lists) and
/// random bytes, with every kind of break, tabs, NUL and bytes that are not UTF-8.
std::string RandomList(std::mt19937& random, int lines) {
    static const std::vector<std::string> pool = {"",         "a",      "b\tc",  "caf\xC3\xA9",
                                                  "caf\xE9",  "Apple ", "apple", "x y",
                                                  "\xFF\xFE", "dup",    " dup",  "\xEF\xBB\xBFz"};
    static const char* const breaks[] = {"\n", "\r", "\r\n", "\n\r"};
    std::string list;
    for (int i = 0; i < lines; ++i) {
        if (random() % 2 == 0) {
            list += pool[random() % pool.size()];
        } else {
            for (int n = static_cast<int>(random() % 12); n > 0; --n)
                list += static_cast<char>(random() % 255 + 1);
        }
        list += breaks[random() % 4];
    }
    if (random() % 4 == 0)
        list += std::string("cut\0after", 9);
    return list;
}

TEST(OutOfCore, RandomPairsGiveTheInMemoryResultsForEveryOutput) {
    clitest::ScratchDir dir;
    const std::string spill = dir.Path("spill");
    std::filesystem::create_directory(spill);
    std::mt19937 random(25);
    const std::vector<std::vector<std::string>> outputs = {
        {}, {"-n"}, {"--explain"}, {"--json", "--explain"}, {"-q", "--json"}};
    for (int pair = 0; pair < 12; ++pair) {
        // A few pairs of equal length, identical or not, and one-line lists.
        const int leftLines = pair < 2 ? 1 : 50 + static_cast<int>(random() % 400);
        std::string leftBytes = RandomList(random, leftLines);
        if (pair == 5)
            leftBytes.insert(0, "\xFF\xFE"); // a byte order mark: the warning comes from the head
        const std::string rightBytes =
            pair == 3 ? leftBytes : RandomList(random, pair == 4 ? leftLines : 40 + random() % 400);
        const std::string left = dir.Write("left", leftBytes);
        const std::string right = dir.Write("right", rightBytes);
        for (const std::vector<std::string>& options : outputs) {
            const Outputs inMemory = RunWith(dir, options, left, right);
            std::vector<std::string> spilled = options;
            spilled.insert(spilled.end(), {"--memory", "1K", "--temporary-directory", spill});
            const Outputs outOfCore = RunWith(dir, spilled, left, right);
            SCOPED_TRACE("pair " + std::to_string(pair) + ", options " +
                         testing::PrintToString(options));
            EXPECT_EQ(outOfCore.status, inMemory.status);
            EXPECT_EQ(outOfCore.out, inMemory.out);
            EXPECT_EQ(outOfCore.err, inMemory.err);
            EXPECT_EQ(outOfCore.multiple, inMemory.multiple);
            EXPECT_EQ(outOfCore.single, inMemory.single);
            EXPECT_EQ(outOfCore.nearMisses, inMemory.nearMisses);
            EXPECT_TRUE(Empty(spill));
        }
    }
}

TEST(OutOfCore, BreaksAndLinesAcrossReadBlocksAndOneLineRepeated) {
    // Blocks are a megabyte: a CR LF, a tab and a long line fall across the first one's end,
    // and one line repeated many times fills a partition with copies of itself.
    clitest::ScratchDir dir;
    std::string left(1 << 20, 'x');
    left[(1 << 20) - 1] = '\r';
    left += "\nsplit\tline\n" + std::string(3 << 20, 'y') + "\r";
    for (int i = 0; i < 20000; ++i)
        left += "same\n";
    std::string right = "same\r\nsplit    line\n" + std::string(3 << 20, 'y') + "\nother\n";
    const std::string leftFile = dir.Write("left", left);
    const std::string rightFile = dir.Write("right", right);
    const Outputs inMemory = RunWith(dir, {"-n"}, leftFile, rightFile);
    const Outputs outOfCore = RunWith(dir, {"-n", "--memory", "1K"}, leftFile, rightFile);
    EXPECT_EQ(inMemory.out, "multiple hits: 20002\nsingle hits: 2\n");
    EXPECT_EQ(outOfCore.out, inMemory.out);
    EXPECT_EQ(outOfCore.err, inMemory.err);
    EXPECT_EQ(outOfCore.multiple, inMemory.multiple);
    EXPECT_EQ(outOfCore.single, inMemory.single);
}

/// Every entry of a SpilledComparison as -n writes it: the multiple hits, then the single hits.
std::string NumberedEntries(const cli::SpilledComparison& comparison) {
    std::string text;
    const auto add = [&](core::ListComparison::Origin origin, std::string_view line) {
        text += (origin.list == core::LineIndex::kLeft ? "L" : "R") +
                std::to_string(origin.index + 1) + ":" + std::string(line) + "\n";
    };
    comparison.ForEachMultipleHitFrom(add);
    comparison.ForEachSingleHitFrom(add);
    return text;
}

TEST(OutOfCore, PartitionOverItsShareIsSplitAgainWithTheSameResults) {
    // Many distinct lines with repeats, some on both lists; each list's size untold, as a
    // pipe's, so the partitions are fewer than they need.
    clitest::ScratchDir dir;
    const std::string spill = dir.Path("spill");
    std::filesystem::create_directory(spill);
    std::string leftBytes, rightBytes;
    for (int i = 0; i < 70000; ++i) {
        leftBytes += "line " + std::to_string(i * 7 % 60013) + "\n";
        rightBytes += "line " + std::to_string(i * 3 % 59999 + 30000) + (i % 5 ? "\n" : "\n\n");
    }
    const std::string left = dir.Write("left", leftBytes);
    const std::string right = dir.Write("right", rightBytes);
    const Outputs inMemory = RunWith(dir, {"-n"}, left, right);

    for (const std::uint64_t budget : {std::uint64_t{256} << 10, std::uint64_t{8} << 20}) {
        SCOPED_TRACE("budget " + std::to_string(budget));
        cli::ListInput leftInput(left, 0), rightInput(right, 0);
        cli::Progress progress(-1, false);
        std::optional<cli::SpilledComparison> comparison;
        comparison.emplace(leftInput.Stream(), rightInput.Stream(),
                           cli::SpilledComparison::Settings{budget, spill}, progress);
        // 256K leaves a partition's index 64K, about a thousand lines: split. 8M splits none.
        if (budget < (1 << 20))
            EXPECT_GT(comparison->SplitCount(), 0u);
        else
            EXPECT_EQ(comparison->SplitCount(), 0u);
        EXPECT_EQ(NumberedEntries(*comparison), inMemory.multiple + inMemory.single);
        EXPECT_EQ("multiple hits: " + std::to_string(comparison->MultipleHitCount()) +
                      "\nsingle hits: " + std::to_string(comparison->SingleHitCount()) + "\n",
                  inMemory.out);
        comparison.reset();
        EXPECT_TRUE(Empty(spill));
    }
}

TEST(OutOfCore, OneLineLongerThanItsShareIsNotSplit) {
    // Copies of one line too long for a partition's index (64K of 256K) would meet again in
    // every part: it is counted as it is.
    clitest::ScratchDir dir;
    const std::string spill = dir.Path("spill");
    std::filesystem::create_directory(spill);
    const std::string longLine(200 << 10, 'w');
    std::string leftBytes, rightBytes = "x\n";
    for (int i = 0; i < 5; ++i)
        leftBytes += longLine + "\n";
    rightBytes += longLine + "\n";
    const std::string left = dir.Write("left", leftBytes);
    const std::string right = dir.Write("right", rightBytes);
    cli::ListInput leftInput(left, 0), rightInput(right, 0);
    cli::Progress progress(-1, false);
    const cli::SpilledComparison comparison(leftInput.Stream(), rightInput.Stream(),
                                            cli::SpilledComparison::Settings{256 << 10, spill},
                                            progress);
    EXPECT_EQ(comparison.SplitCount(), 0u);
    EXPECT_EQ(comparison.MultipleHitCount(), 5u);
    EXPECT_EQ(comparison.SingleHitCount(), 1u);
}

TEST(OutOfCore, LowLimitOfOpenFilesIsRaisedForThePartitions) {
    // A soft limit of 100 files would allow 22 partitions; the hard one allows more.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    if (saved.rlim_max < 4096)
        GTEST_SKIP() << "the hard limit on open files is low here";
    clitest::ScratchDir dir;
    const std::string spill = dir.Path("spill");
    std::filesystem::create_directory(spill);
    std::mt19937 random(3);
    const std::string left = dir.Write("left", RandomList(random, 3000));
    const std::string right = dir.Write("right", RandomList(random, 3000));
    rlimit low = saved;
    low.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &low), 0);
    std::size_t partitions = 0;
    {
        cli::ListInput leftInput(left, 0), rightInput(right, 0);
        cli::Progress progress(-1, false);
        cli::SpilledComparison::Settings settings{1024, spill};
        settings.leftSize = std::filesystem::file_size(left);
        settings.rightSize = std::filesystem::file_size(right);
        const cli::SpilledComparison comparison(leftInput.Stream(), rightInput.Stream(), settings,
                                                progress);
        partitions = comparison.PartitionCount();
    }
    ::setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_GT(partitions, 100u);
}

/// The real binary with `args`; `whileRunning` gets its process id, and the status comes back
/// (128 + the signal when one ended it).
int RunBinary(const std::vector<std::string>& args, rlim_t fileSizeLimit,
              const std::function<void(pid_t)>& whileRunning = nullptr,
              const std::string& errorFile = "/dev/null") {
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::vector<char*> argv;
        std::string program = DYADLIST_COMPARE_PATH;
        argv.push_back(program.data());
        std::vector<std::string> copies = args;
        for (std::string& arg : copies)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        const int null = ::open("/dev/null", O_WRONLY);
        const int error = ::open(errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(null, STDOUT_FILENO);
        ::dup2(error, STDERR_FILENO);
        if (fileSizeLimit != RLIM_INFINITY) {
            // A write past the limit then fails with EFBIG, as on a full disk.
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{fileSizeLimit, fileSizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    if (whileRunning)
        whileRunning(pid);
    int raw = 0;
    ::waitpid(pid, &raw, 0);
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
}

TEST(OutOfCore, SpillFilesAreGoneAfterAFailureAndASignal) {
    clitest::ScratchDir dir;
    const std::string spill = dir.Path("spill");
    std::filesystem::create_directory(spill);
    std::mt19937 random(7);
    const std::string left = dir.Write("left", RandomList(random, 20000));
    const std::string right = dir.Write("right", RandomList(random, 20000));

    // A spill file that cannot grow: exit status 1, nothing left, no entry file begun.
    const std::string m = dir.Path("m");
    EXPECT_EQ(
        RunBinary({"--memory", "1K", "--temporary-directory", spill, "-m", m, left, right}, 4096),
        1);
    EXPECT_TRUE(Empty(spill));
    EXPECT_FALSE(clitest::Exists(m));
    // A folder that is not there.
    EXPECT_EQ(RunBinary({"--memory", "1K", "--temporary-directory", dir.Path("none"), left, right},
                        RLIM_INFINITY),
              1);

    // SIGTERM while the left list, a FIFO, is still being spilled.
    const std::string fifo = dir.Path("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int status = RunBinary({"--memory", "1K", "--temporary-directory", spill, fifo, right},
                                 RLIM_INFINITY, [&](pid_t pid) {
                                     const int writer = ::open(fifo.c_str(), O_WRONLY);
                                     ASSERT_GE(writer, 0);
                                     ASSERT_EQ(::write(writer, "a\nb\n", 4), 4);
                                     for (int i = 0; i < 500 && Empty(spill); ++i)
                                         std::this_thread::sleep_for(std::chrono::milliseconds(10));
                                     EXPECT_FALSE(Empty(spill));
                                     ::kill(pid, SIGTERM);
                                     std::this_thread::sleep_for(std::chrono::milliseconds(100));
                                     ::close(writer);
                                 });
    EXPECT_EQ(status, 128 + SIGTERM);
    EXPECT_TRUE(Empty(spill));
}

TEST(OutOfCore, FullFileSystemForTheSpillFiles) {
    // A file system of 64 KB of its own: a tmpfs mounted in a mount namespace that goes with
    // the child. Where none may be mounted (no root), the file-size limit above stands in.
    clitest::ScratchDir dir;
    std::mt19937 random(11);
    const std::string left = dir.Write("left", RandomList(random, 20000));
    const std::string right = dir.Write("right", RandomList(random, 20000));
    const std::string small = dir.Path("small"), m = dir.Path("m"), err = dir.Path("err");
    std::filesystem::create_directory(small);
    constexpr int kNoMount = 77;
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", small.c_str(), "tmpfs", 0, "size=64k") != 0)
            ::_exit(kNoMount);
        const int status =
            RunBinary({"--memory", "1K", "--temporary-directory", small, "-m", m, left, right},
                      RLIM_INFINITY, nullptr, err);
        ::_exit(status == 1 && Empty(small) ? 0 : 1);
    }
    int raw = 0;
    ::waitpid(pid, &raw, 0);
    ASSERT_TRUE(WIFEXITED(raw));
    if (WEXITSTATUS(raw) == kNoMount)
        GTEST_SKIP() << "no tmpfs may be mounted here";
    EXPECT_EQ(WEXITSTATUS(raw), 0) << "exit status 1 and the spill folder removed";
    EXPECT_FALSE(clitest::Exists(m));
    const std::string message = ReadAll(err);
    EXPECT_EQ(message.rfind("Cannot write file \"" + small + "/dyadlist-compare.", 0), 0u)
        << message;
    EXPECT_TRUE(message.ends_with("\". No space left on device\n")) << message;
}

} // namespace
