// The built dyadlist-compare run as a child process: what only a real process shows (exit
// status from main, a closed pipe, an address-space limit, standard input as a pipe) and the
// unlimited streaming of multiple hits.

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "TestFiles.h"

namespace {

using clitest::ReadAll;

struct Child {
    int status = -1; // exit status, or 128 + signal
    std::string out;
    std::string err;
    long peakKilobytes = 0; // the child's largest resident set
};

struct ChildSetup {
    std::size_t addressSpaceLimit = 0;       // bytes; 0: none
    std::size_t fileSizeLimit = 0;           // bytes; 0: none (past it a write fails: EFBIG)
    bool closedStdout = false;               // standard output is a pipe nobody reads
    bool pipedStdout = false;                // standard output is a pipe read to its end
    bool closedStdin = false;                // no standard input at all
    bool noStdout = false;                   // no standard output at all
    const std::string* stdinBytes = nullptr; // standard input is a pipe carrying these
    std::function<void(pid_t)> beforeStdin =
        nullptr; // runs once the child started, before its input
};

Child RunBinary(const std::vector<std::string>& args, const ChildSetup& setup = {}) {
    clitest::ScratchDir dir;
    const std::string outPath = dir.Path("out"), errPath = dir.Path("err");
    int outPipe[2] = {-1, -1}, inPipe[2] = {-1, -1};
    if ((setup.closedStdout || setup.pipedStdout) && ::pipe(outPipe) != 0)
        return {};
    if (setup.stdinBytes && ::pipe(inPipe) != 0)
        return {};

    std::vector<char*> argv;
    std::string program = DYADLIST_COMPARE_PATH;
    argv.push_back(program.data());
    std::vector<std::string> copies = args;
    for (std::string& arg : copies)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    const pid_t pid = ::fork();
    if (pid == 0) {
        const int out = setup.closedStdout || setup.pipedStdout
                            ? outPipe[1]
                            : ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (setup.stdinBytes)
            ::dup2(inPipe[0], STDIN_FILENO);
        if (setup.closedStdin)
            ::close(STDIN_FILENO);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        for (int fd : {outPipe[0], outPipe[1], inPipe[0], inPipe[1]})
            if (fd >= 0)
                ::close(fd);
        if (setup.noStdout)
            ::close(STDOUT_FILENO);
        if (setup.fileSizeLimit) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{setup.fileSizeLimit, setup.fileSizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (setup.addressSpaceLimit) {
            const rlimit limit{setup.addressSpaceLimit, setup.addressSpaceLimit};
            ::setrlimit(RLIMIT_AS, &limit);
        }
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    if (setup.closedStdout) {
        ::close(outPipe[0]); // nobody will read
        ::close(outPipe[1]);
    }
    if (setup.beforeStdin)
        setup.beforeStdin(pid);
    if (setup.stdinBytes) {
        ::close(inPipe[0]);
        const std::string& bytes = *setup.stdinBytes;
        for (std::size_t done = 0; done < bytes.size();) {
            const ssize_t n = ::write(inPipe[1], bytes.data() + done, bytes.size() - done);
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        ::close(inPipe[1]);
    }
    Child child;
    if (setup.pipedStdout) {
        ::close(outPipe[1]);
        char chunk[65536];
        for (ssize_t n; (n = ::read(outPipe[0], chunk, sizeof chunk)) > 0;)
            child.out.append(chunk, static_cast<std::size_t>(n));
        ::close(outPipe[0]);
    }
    int raw = 0;
    rusage usage{};
    ::wait4(pid, &raw, 0, &usage);
    child.peakKilobytes = usage.ru_maxrss;
    child.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    if (!setup.closedStdout && !setup.pipedStdout)
        child.out = ReadAll(outPath);
    child.err = ReadAll(errPath);
    return child;
}

class Process : public testing::Test {
protected:
    clitest::ScratchDir dir_;
    const std::string left_ = dir_.Write("left.txt", "a\nb\nc\n");
    const std::string right_ = dir_.Write("right.txt", "b\r\nc\r\nd");
};

TEST_F(Process, ExitStatuses) {
    Child child = RunBinary({left_, right_});
    EXPECT_EQ(child.status, 0);
    EXPECT_EQ(child.out, "multiple hits: 2\nsingle hits: 2\n");

    child = RunBinary({left_, left_});
    EXPECT_EQ(child.status, 3);
    EXPECT_EQ(child.err, "either the lists of are identical\nor you have load just one list.\n");

    const std::string missing = dir_.Path("missing");
    child = RunBinary({missing, right_});
    EXPECT_EQ(child.status, 1);
    EXPECT_EQ(child.err, "Cannot open file \"" + missing + "\". No such file or directory\n");

    child = RunBinary({"--frobnicate", left_, right_});
    EXPECT_EQ(child.status, 2);
    EXPECT_NE(child.err.find("Usage: dyadlist-compare"), std::string::npos);
    EXPECT_EQ(child.out, "");

    child = RunBinary({"--help"});
    EXPECT_EQ(child.status, 0);
    EXPECT_NE(child.out.find("Usage: dyadlist-compare"), std::string::npos);
}

TEST_F(Process, ClosedPipeIsAWriteErrorNotASignal) {
    const Child child = RunBinary({"-m", "-", left_, right_}, {.closedStdout = true});
    EXPECT_EQ(child.status, 1);
    EXPECT_EQ(child.err, "Cannot write file \"-\". Broken pipe\n");
}

TEST_F(Process, OutputFileIsReplacedWholeOrLeftAsItWas) {
    std::string firstHalf, lines;
    for (int i = 0; i < 20000; ++i) {
        lines += "line " + std::to_string(i) + "\n";
        if (i == 9999)
            firstHalf = lines;
    }
    const std::string left = dir_.Write("big-left", lines);
    const std::string right = dir_.Write("big-right", firstHalf + "other\n");
    const auto partials = [&] {
        int count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir_.Path(".")))
            count += entry.path().filename().string().find(".partial.") != std::string::npos;
        return count;
    };
    const std::string m = dir_.Path("m");
    dir_.Write("m", "old\n");
    ::chmod(m.c_str(), 0640);

    // A disk that fills (a file-size limit) while the entries are written.
    Child child = RunBinary({"-m", m, left, right}, {.fileSizeLimit = 64 << 10});
    EXPECT_EQ(child.status, 1);
    EXPECT_EQ(child.err, "Cannot write file \"" + m + "\". File too large\n");
    EXPECT_EQ(ReadAll(m), "old\n");
    EXPECT_EQ(partials(), 0);

    // Room enough: replaced whole, with its permissions.
    child = RunBinary({"-m", m, left, right});
    EXPECT_EQ(child.status, 0) << child.err;
    EXPECT_TRUE(ReadAll(m) == firstHalf);
    struct stat status {};
    ASSERT_EQ(::stat(m.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);

    // SIGTERM while the single hits wait on a full pipe: the near misses' file, made before
    // any entry is written, goes with it.
    const std::string n = dir_.Path("n");
    child = RunBinary({"-s", "-", "--near-misses", n, left, right},
                      {.pipedStdout = true, .beforeStdin = [&](pid_t pid) {
                           for (int i = 0; i < 500 && partials() == 0; ++i)
                               std::this_thread::sleep_for(std::chrono::milliseconds(10));
                           EXPECT_EQ(partials(), 1);
                           std::this_thread::sleep_for(std::chrono::milliseconds(100));
                           ::kill(pid, SIGTERM);
                       }});
    EXPECT_EQ(child.status, 128 + SIGTERM);
    EXPECT_FALSE(clitest::Exists(n));
    EXPECT_EQ(partials(), 0);
}

TEST_F(Process, EntryFileWithStandardInputClosed) {
    // Descriptor 0, free, is not the one the entry file gets.
    const std::string m = dir_.Path("m");
    const Child child = RunBinary({"-m", m, left_, right_}, {.closedStdin = true});
    EXPECT_EQ(child.status, 0) << child.err;
    EXPECT_EQ(ReadAll(m), "b\nc\n");
}

TEST_F(Process, ListFromStandardInputPipe) {
    const std::string bytes = "d\nc\n";
    const Child child = RunBinary({"-s", "-", left_, "/dev/stdin"}, {.stdinBytes = &bytes});
    EXPECT_EQ(child.status, 0);
    EXPECT_EQ(child.out, "a\nb\nd\n");
    EXPECT_EQ(child.err, "multiple hits: 1\nsingle hits: 3\n");
}

TEST_F(Process, MultipleHitsAreStreamedWithoutLimit) {
    // 3000 copies on each side: 9,000,000 entries.
    std::string copies;
    for (int i = 0; i < 3000; ++i)
        copies += "same\n";
    const std::string l = dir_.Write("l", copies + "left only\n");
    const std::string r = dir_.Write("r", copies);
    const std::string m = dir_.Path("m");
    const Child child = RunBinary({"-m", m, l, r});
    EXPECT_EQ(child.status, 0);
    EXPECT_EQ(child.out, "multiple hits: 9000000\nsingle hits: 1\n");
    const std::string written = ReadAll(m);
    ASSERT_EQ(written.size(), 9000000u * 5);
    for (std::size_t at = 0; at < written.size(); at += 5)
        ASSERT_EQ(written.compare(at, 5, "same\n"), 0) << "at byte " << at;
}

TEST_F(Process, FileTooLargeForMemoryIsAnOpenError) {
#ifdef DYADLIST_SANITIZED
    GTEST_SKIP() << "sanitizers reserve more address space than the limit under test";
#endif
    // A sparse 1 GiB file costs no disk; reading it needs 1 GiB of memory, four times the limit.
    const std::string huge = dir_.Path("huge.txt");
    {
        const int fd = ::open(huge.c_str(), O_WRONLY | O_CREAT, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, off_t{1} << 30), 0);
        ::close(fd);
    }
    const Child child = RunBinary({huge, right_}, {.addressSpaceLimit = std::size_t{256} << 20});
    EXPECT_EQ(child.status, 1);
    EXPECT_EQ(child.err, "Cannot open file \"" + huge + "\". Cannot allocate memory\n");
}

TEST_F(Process, OnePipeNamedTwiceTakesTheListsInTurn) {
    // Each list spans several write buffers, so lists written side by side would interleave.
    std::string l, r, expected;
    for (int i = 0; i < 1000; ++i) {
        l += "same\n";
        r += "same\n";
    }
    for (int i = 0; i < 1000000; ++i)
        expected += "same\n";
    for (int i = 0; i < 300000; ++i) {
        const std::string line = "single " + std::to_string(i) + "\n";
        (i % 2 ? r : l) += line;
    }
    for (int i = 0; i < 300000; i += 2)
        expected += "single " + std::to_string(i) + "\n";
    for (int i = 1; i < 300000; i += 2)
        expected += "single " + std::to_string(i) + "\n";
    const Child child = RunBinary(
        {"-m", "/dev/stdout", "-s", "/dev/stdout", dir_.Write("l", l), dir_.Write("r", r)},
        {.pipedStdout = true});
    EXPECT_EQ(child.status, 0) << child.err;
    EXPECT_TRUE(child.out == expected + "multiple hits: 1000000\nsingle hits: 300000\n");
}

TEST_F(Process, ListTruncatedWhileMappedIsUnreadable) {
    // The right list is mapped while the left one, standard input, is still awaited; it is
    // then cut to a quarter, so comparing touches pages that are gone.
    std::string lines;
    for (int i = 0; lines.size() < (std::size_t{8} << 20); ++i)
        lines += "line " + std::to_string(i) + "\n";
    const std::string big = dir_.Write("big", lines);
    const std::string left = "line 1\nline 2\n", m = dir_.Path("m");
    bool cut = false;
    auto truncateOnceMapped = [&](pid_t pid) {
        const std::string maps = "/proc/" + std::to_string(pid) + "/maps";
        for (int tries = 0; tries < 1000 && !cut; ++tries) {
            if (ReadAll(maps).find(big) != std::string::npos)
                cut = ::truncate(big.c_str(), static_cast<off_t>(lines.size() / 4)) == 0;
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    };
    const Child child = RunBinary({"-m", m, "/dev/stdin", big},
                                  {.stdinBytes = &left, .beforeStdin = truncateOnceMapped});
    ASSERT_TRUE(cut) << "the list was never seen mapped";
    EXPECT_EQ(child.status, 1);
    EXPECT_EQ(child.err, "Cannot open file \"" + big + "\". The file shrank while it was read\n");
    EXPECT_EQ(child.out, "");
    EXPECT_FALSE(clitest::Exists(m));
}

TEST_F(Process, ClosedStandardOutputTakesNoOtherOutput) {
    // Unguarded, the next file opened would take descriptor 1 and standard output's entries.
    const std::string s = dir_.Path("s");
    Child child = RunBinary({"-m", "-", "-s", s, left_, right_}, {.noStdout = true});
    EXPECT_EQ(child.status, 1);
    EXPECT_EQ(child.err, "Cannot write file \"-\". Bad file descriptor\n");
    EXPECT_EQ(ReadAll(s), "a\nd\n");

    child = RunBinary({left_, right_}, {.noStdout = true});
    EXPECT_EQ(child.status, 1);
    EXPECT_EQ(child.err, "Cannot write file \"-\". Bad file descriptor\n");

    // Its names lead nowhere either, rather than to what stands in for it; an open stream's
    // names still lead to it.
    for (const std::string name : {"/dev/stdout", "/dev/fd/1", "/proc/self/fd/1"}) {
        child = RunBinary({"-m", name, "-s", "/dev/fd/2", left_, right_}, {.noStdout = true});
        EXPECT_EQ(child.status, 1);
        EXPECT_EQ(child.err, "Cannot open file \"" + name + "\". Bad file descriptor\n");
    }
    for (const std::string name : {"/dev/fd/2", "/proc/self/fd/2"}) {
        child = RunBinary({"-q", "-m", name, left_, right_}, {.noStdout = true});
        EXPECT_EQ(child.status, 1) << "the counts have nowhere to go";
        // The entries went to standard error's file through a description of their own;
        // the message then wrote over them from the start.
        EXPECT_EQ(child.err, "Cannot write file \"-\". Bad file descriptor\n");
    }
    child = RunBinary({"/dev/stdin", right_}, {.closedStdin = true});
    EXPECT_EQ(child.status, 1);
    EXPECT_EQ(child.err, "Cannot open file \"/dev/stdin\". Bad file descriptor\n");
}

TEST_F(Process, ReadingStopsAtTheFirstNul) {
#ifdef DYADLIST_SANITIZED
    GTEST_SKIP() << "sanitizers reserve more address space than the limit under test";
#endif
    // Neither device ends, so reading on to the end fails for memory under this limit.
    for (const std::string device : {"/dev/zero", "/dev/urandom"}) {
        const Child child = RunBinary({"-q", "-s", "-", device, right_},
                                      {.addressSpaceLimit = std::size_t{512} << 20});
        EXPECT_EQ(child.status, 0) << device << ": " << child.err;
    }
    const Child child = RunBinary({"-m", "-", "/dev/zero", right_});
    EXPECT_EQ(child.err, "dyadlist-compare: warning: \"/dev/zero\" holds a NUL byte at offset 0, "
                         "which ends the list; the bytes after it are not read\n"
                         "multiple hits: 0\nsingle hits: 3\n");
}

TEST_F(Process, MappedListIsNotSearchedPastItsFirstNul) {
    // A sparse 2 GiB file of zeros costs no disk, but every page touched costs memory.
    const std::string zeros = dir_.Path("zeros");
    {
        const int fd = ::open(zeros.c_str(), O_WRONLY | O_CREAT, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, "a\tb\n", 4), 4);
        ASSERT_EQ(::ftruncate(fd, off_t{2} << 30), 0);
        ::close(fd);
    }
    const Child child = RunBinary({"-s", "-", zeros, right_});
    EXPECT_EQ(child.status, 0);
    EXPECT_EQ(child.out, "a    b\nb\nc\nd\n");
    EXPECT_NE(child.err.find("holds a NUL byte at offset 4, which ends the list; the 2147483643 "
                             "bytes after it are not read"),
              std::string::npos)
        << child.err;
    EXPECT_LT(child.peakKilobytes, 256 * 1024);
}

} // namespace
