// Reading whole files: exact bytes, and failures that carry the system's reason.

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "AsNobody.h"
#include "PipeLeftOpen.h"
#include "UnixSocket.h"
#include "core/FileBytes.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using core::FileKinds;

long PeakKilobytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

class FileBytes : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "dyadlist-core-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(dir_, ignored);
    }

    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    // The message of the FileOpenError that reading `path` raises, or "" when none.
    static std::string ErrorOf(const std::string& path, FileKinds kinds) {
        try {
            core::ReadFileBytes(path, kinds);
        } catch (const core::FileOpenError& error) {
            return error.what();
        }
        return "";
    }

    fs::path dir_;
};

TEST_F(FileBytes, BinaryBytesComeBackExactly) {
    std::string bytes;
    for (int round = 0; round < 3; ++round)
        for (int c = 0; c < 256; ++c)
            bytes += static_cast<char>(c);
    bytes = "\xEF\xBB\xBF" + bytes + "\r\n\r";
    const std::string path = Write("binary", bytes);
    EXPECT_EQ(core::ReadFileBytes(path), bytes);
    EXPECT_EQ(core::ReadFileBytes(path, FileKinds::AnyReadable), bytes);
    EXPECT_EQ(core::ReadFileBytes(Write("empty", "")), "");
}

TEST_F(FileBytes, FileLongerThanOneReadChunk) {
    std::mt19937 random(3);
    std::string bytes(300000, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    EXPECT_EQ(core::ReadFileBytes(Write("large", bytes)), bytes);
}

TEST_F(FileBytes, AFileThatShrinksAndGrowsWhileReadGivesWhatWasRead) {
    // Another program cuts the file short and writes its bytes back, over and over, while it
    // is read: every read gives a beginning of the bytes, never other bytes and never a crash.
    std::mt19937 random(11);
    std::string bytes(4 << 20, 'x');
    for (char& c : bytes)
        c = static_cast<char>(1 + random() % 255);
    const std::string path = Write("changing", bytes);
    const int fd = ::open(path.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    std::atomic<bool> reading{true};
    std::thread writer([&] {
        std::mt19937 cuts(12);
        while (reading) {
            const std::size_t cut = cuts() % bytes.size();
            ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(cut)), 0);
            for (std::size_t at = cut; at < bytes.size(); at += 1 << 16) {
                const std::size_t n = std::min<std::size_t>(1 << 16, bytes.size() - at);
                ASSERT_EQ(::pwrite(fd, bytes.data() + at, n, static_cast<off_t>(at)),
                          static_cast<ssize_t>(n));
            }
        }
    });
    std::size_t shortReads = 0;
    for (int read = 0; read < 40; ++read) {
        const std::string got = core::ReadFileText(path);
        ASSERT_LE(got.size(), bytes.size());
        ASSERT_EQ(got, std::string_view(bytes).substr(0, got.size()));
        shortReads += got.size() < bytes.size();
    }
    reading = false;
    writer.join();
    ::close(fd);
    RecordProperty("short reads", static_cast<int>(shortReads));
}

TEST_F(FileBytes, MissingFile) {
    const std::string path = (dir_ / "missing.txt").string();
    EXPECT_EQ(ErrorOf(path, FileKinds::RegularOnly),
              "Cannot open file \"" + path + "\". No such file or directory");
}

TEST_F(FileBytes, Directory) {
    const std::string path = dir_.string();
    EXPECT_EQ(ErrorOf(path, FileKinds::RegularOnly),
              "Cannot open file \"" + path + "\". Is a directory");
    EXPECT_EQ(ErrorOf(path, FileKinds::AnyReadable),
              "Cannot open file \"" + path + "\". Is a directory");
}

TEST_F(FileBytes, NoReadPermission) {
    const std::string path = Write("secret", "x");
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    const std::string expected = "Cannot open file \"" + path + "\". Permission denied";
    const int probe = ::open(path.c_str(), O_RDONLY);
    if (probe < 0) {
        EXPECT_EQ(ErrorOf(path, FileKinds::RegularOnly), expected);
        return;
    }
    // Privileged (root): read past the permission bits, so read as nobody in a child. The
    // folder must let nobody reach the file, or the refusal would be the folder's.
    ::close(probe);
    ASSERT_EQ(::chmod(dir_.c_str(), 0755), 0);
    const NobodyRun run = RunAsNobody([&]() -> std::string {
        struct stat st;
        if (::stat(path.c_str(), &st) != 0)
            return "nobody cannot reach " + path;
        return ErrorOf(path, FileKinds::RegularOnly);
    });
    if (!run.becameNobody)
        GTEST_SKIP() << "privileged and unable to test as an ordinary user: " << run.output;
    EXPECT_EQ(run.output, expected);
}

TEST_F(FileBytes, ASocketAndALinkLoopSayWhatTheyAre) {
    const std::string socketPath = (dir_ / "socket").string();
    const UnixSocket socket(socketPath);
    ASSERT_TRUE(socket.Bound());
    EXPECT_EQ(ErrorOf(socketPath, FileKinds::RegularOnly),
              "Cannot open file \"" + socketPath + "\". Not a regular file");
    EXPECT_EQ(ErrorOf(socketPath, FileKinds::AnyReadable),
              "Cannot open file \"" + socketPath + "\". Is a socket");
    const std::string loop = (dir_ / "loop").string();
    ASSERT_EQ(::symlink(loop.c_str(), loop.c_str()), 0);
    EXPECT_EQ(ErrorOf(loop, FileKinds::RegularOnly),
              "Cannot open file \"" + loop + "\". Too many levels of symbolic links");
}

TEST_F(FileBytes, FifoIsRefusedWithoutBlockingWhenOnlyFilesAreWanted) {
    const std::string path = (dir_ / "fifo").string();
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    // No writer ever opens it: a blocking open or read would hang here.
    EXPECT_EQ(ErrorOf(path, FileKinds::RegularOnly),
              "Cannot open file \"" + path + "\". Not a regular file");
}

TEST_F(FileBytes, FifoIsReadToItsEndWhenAnyKindIsWanted) {
    const std::string path = (dir_ / "fifo").string();
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    const std::string bytes = std::string(200000, 'q') + "\r\nend";
    // The writer comes late, as a producer started after the reader does.
    // Opened without blocking, so a reader that already gave up fails the test, not hangs it.
    std::thread writer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd < 0)
            return;
        ::fcntl(fd, F_SETFL, 0);
        for (std::size_t done = 0; done < bytes.size();) {
            const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        ::close(fd);
    });
    std::string got;
    try {
        got = core::ReadFileBytes(path, FileKinds::AnyReadable);
    } catch (const core::FileOpenError& error) {
        ADD_FAILURE() << error.what();
    }
    writer.join();
    EXPECT_EQ(got.size(), bytes.size());
    EXPECT_TRUE(got == bytes);
}

} // namespace

namespace {

TEST_F(FileBytes, FifoWhoseWriterWritesNothingReadsEmpty) {
    const std::string path = (dir_ / "fifo").string();
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    std::thread writer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
    });
    EXPECT_EQ(core::ReadFileBytes(path, FileKinds::AnyReadable), "");
    writer.join();
}

} // namespace

namespace {

TEST_F(FileBytes, ATextIsReadOnlyUpToItsFirstNul) {
    EXPECT_EQ(coretest::ReadPipeLeftOpen("ab\ncd\0ef"s,
                                         [](const std::string& name) {
                                             return core::ReadFileText(name,
                                                                       FileKinds::AnyReadable);
                                         }),
              "ab\ncd");
    // Files of other kinds are read whole, as pictures need.
    EXPECT_EQ(core::ReadFileBytes(Write("nul", "ab\0cd"s)), "ab\0cd"s);
    EXPECT_EQ(core::ReadFileText(Write("nul", "ab\0cd"s)), "ab");

    // A sparse file of zeros past a short text: a read to its end would cost 2 GiB.
    const std::string zeros = Write("zeros", "text\0"s);
    ASSERT_EQ(::truncate(zeros.c_str(), off_t{2} << 30), 0);
    const long before = PeakKilobytes();
    EXPECT_EQ(core::ReadFileText(zeros), "text");
    EXPECT_LT(PeakKilobytes() - before, 256 * 1024);
}

} // namespace
