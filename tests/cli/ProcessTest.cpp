// The built dyadlist-compare run as a child process: what only a real process shows (exit
// status from main, a closed pipe, an address-space limit, standard input as a pipe) and the
// unlimited streaming of multiple hits.

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
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
};

struct ChildSetup {
    std::size_t addressSpaceLimit = 0;       // bytes; 0: none
    bool closedStdout = false;               // standard output is a pipe nobody reads
    const std::string* stdinBytes = nullptr; // standard input is a pipe carrying these
};

Child RunBinary(const std::vector<std::string>& args, const ChildSetup& setup = {}) {
    clitest::ScratchDir dir;
    const std::string outPath = dir.Path("out"), errPath = dir.Path("err");
    int outPipe[2] = {-1, -1}, inPipe[2] = {-1, -1};
    if (setup.closedStdout && ::pipe(outPipe) != 0)
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
        const int out = setup.closedStdout
                            ? outPipe[1]
                            : ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (setup.stdinBytes)
            ::dup2(inPipe[0], STDIN_FILENO);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        for (int fd : {outPipe[0], outPipe[1], inPipe[0], inPipe[1]})
            if (fd >= 0)
                ::close(fd);
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
    int raw = 0;
    ::waitpid(pid, &raw, 0);
    Child child;
    child.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    child.out = setup.closedStdout ? "" : ReadAll(outPath);
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

} // namespace
