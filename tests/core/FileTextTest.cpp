// Input bytes mapped or read: regular files mapped and split without copies, everything else
// read, and a mapped file truncated under the reader.

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "PipeLeftOpen.h"
#include "core/FileText.h"
#include "core/LineText.h"

namespace {

namespace fs = std::filesystem;

class FileText : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "dyadlist-text-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    fs::path dir_;
};

bool Inside(std::string_view part, std::string_view whole) {
    return part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size();
}

TEST_F(FileText, RegularFileIsMappedAndSplitInPlace) {
    const std::string bytes = "plain\r\nwith\ttab\n\nlast\tone\t";
    core::LoadedList list(core::FileText::Open(Write("list", bytes)));
    ASSERT_TRUE(list.File().IsMapped());
    EXPECT_EQ(list.File().Bytes(), bytes);
    EXPECT_FALSE(list.File().Shrank());

    // Moving keeps the views; lines without tabs are the file's own bytes, lines with tabs
    // copies with the tabs replaced.
    const core::LoadedList moved = std::move(list);
    const std::string_view mapped = moved.File().Bytes();
    const std::vector<std::string_view> lines = core::Views(moved);
    ASSERT_EQ(moved.Count(), 4u);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "plain");
    EXPECT_EQ(lines[1], "with    tab");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "last    one    ");
    EXPECT_TRUE(Inside(lines[0], mapped));
    EXPECT_TRUE(Inside(lines[2], mapped));
    EXPECT_FALSE(Inside(lines[1], mapped));
    EXPECT_FALSE(Inside(lines[3], mapped));
}

TEST_F(FileText, TheTextEndsAtTheFirstNul) {
    const core::FileText mapped = core::FileText::Open(Write("nul", std::string("ab\0c\td", 6)));
    ASSERT_TRUE(mapped.IsMapped());
    EXPECT_EQ(mapped.Text(), "ab");
    EXPECT_EQ(mapped.Bytes().size(), 6u);
    EXPECT_TRUE(mapped.Whole());
    EXPECT_EQ(core::FileText::Open(Write("plain", "abc")).Text(), "abc");

    // A pipe is read no further than the NUL: its writer need not finish.
    bool whole = true;
    EXPECT_EQ(coretest::ReadPipeLeftOpen(std::string("ab\ncd\0ef", 8),
                                         [&](const std::string& name) {
                                             const core::FileText text = core::FileText::Open(name);
                                             whole = text.Whole();
                                             return std::string(text.Text());
                                         }),
              "ab\ncd");
    EXPECT_FALSE(whole);
}

TEST_F(FileText, MovedOntoEachOther) {
    // Read bytes long enough to live on the heap, where a buffer freed too early shows.
    const std::string mappedBytes = "mapped\n", readBytes = std::string(300, 'r') + "\n";
    core::FileText text = core::FileText::Open(Write("mapped", mappedBytes));
    {
        core::FileText read(readBytes);
        std::swap(text, read);
        EXPECT_EQ(read.Bytes(), mappedBytes);
        EXPECT_TRUE(read.IsMapped());
    }
    EXPECT_EQ(text.Bytes(), readBytes);
    EXPECT_FALSE(text.IsMapped());
}

TEST_F(FileText, FilesThatCannotBeMappedAreRead) {
    // sysfs files are regular, claim a page of size and refuse to be mapped.
    const std::string path = "/sys/kernel/mm/transparent_hugepage/enabled";
    std::string expected;
    try {
        expected = core::ReadFileBytes(path);
    } catch (const core::FileOpenError& error) {
        GTEST_SKIP() << error.what();
    }
    // More times than mappings are followed, so a refused mapping must give its entry back.
    for (int i = 0; i < 100; ++i) {
        const core::FileText text = core::FileText::Open(path);
        ASSERT_FALSE(text.IsMapped());
        ASSERT_EQ(text.Bytes(), expected);
    }
    EXPECT_TRUE(core::FileText::Open(Write("list", "a\n")).IsMapped());
}

TEST_F(FileText, EmptyFilesAndPipesAreRead) {
    // An empty regular file may be one of /proc's, whose bytes only a read brings.
    const core::FileText empty = core::FileText::Open(Write("empty", ""));
    EXPECT_FALSE(empty.IsMapped());
    EXPECT_EQ(empty.Bytes(), "");
    EXPECT_EQ(core::LoadedList(core::FileText::Open(Write("e", ""))).Count(), 1u);

    const core::FileText proc = core::FileText::Open("/proc/self/status");
    EXPECT_FALSE(proc.IsMapped());
    EXPECT_EQ(proc.Bytes().substr(0, 5), "Name:");

    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    std::thread writer([&] {
        EXPECT_EQ(::write(fds[1], "a\tb\nc", 5), 5);
        ::close(fds[1]);
    });
    const core::LoadedList piped(
        core::FileText::Open("/dev/fd/" + std::to_string(fds[0]), core::FileKinds::AnyReadable));
    writer.join();
    ::close(fds[0]);
    EXPECT_FALSE(piped.File().IsMapped());
    ASSERT_EQ(piped.Count(), 2u);
    EXPECT_EQ(core::Views(piped), (std::vector<std::string_view>{"a    b", "c"}));
}

TEST_F(FileText, FileTruncatedWhileMappedReadsAsZerosPastItsNewEnd) {
    const long page = ::sysconf(_SC_PAGESIZE);
    const std::string bytes(static_cast<std::size_t>(4 * page), 'x');
    const std::string path = Write("big", bytes);
    const core::FileText text = core::FileText::Open(path);
    const core::FileText other = core::FileText::Open(Write("other", bytes));
    const std::string emptiedPath = Write("emptied", bytes);
    const core::FileText emptied = core::FileText::Open(emptiedPath);
    ASSERT_TRUE(text.IsMapped());

    const std::size_t cut = static_cast<std::size_t>(page + 100);
    ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(cut)), 0);
    const std::string_view seen = text.Bytes();
    // The first touch past the cut is in the middle of a page, as a line's would be.
    EXPECT_EQ(seen[static_cast<std::size_t>(3 * page + 1235)], '\0');
    EXPECT_EQ(seen.find('\0'), cut);
    EXPECT_EQ(seen.find_first_not_of('\0', cut), std::string_view::npos);
    EXPECT_TRUE(text.Shrank());
    EXPECT_FALSE(other.Shrank());
    EXPECT_EQ(other.Bytes(), bytes);

    // Cut to nothing, the very first byte is gone.
    ASSERT_EQ(::truncate(emptiedPath.c_str(), 0), 0);
    EXPECT_EQ(emptied.Bytes()[0], '\0');
    EXPECT_TRUE(emptied.Shrank());
}

TEST_F(FileText, BusErrorOutsideAMappedTextStillKills) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reports bus errors itself";
#endif
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const long page = ::sysconf(_SC_PAGESIZE);
    const std::string path = Write("foreign", std::string(static_cast<std::size_t>(2 * page), 'y'));
    EXPECT_EXIT(
        {
            // The handler is in place once a text is mapped.
            const core::FileText text = core::FileText::Open(Write("mine", "mine"));
            const int fd = ::open(path.c_str(), O_RDONLY);
            auto* foreign = static_cast<volatile const char*>(
                ::mmap(nullptr, static_cast<std::size_t>(2 * page), PROT_READ, MAP_SHARED, fd, 0));
            if (::ftruncate(::open(path.c_str(), O_WRONLY), 0) != 0)
                std::_Exit(2);
            const char c = foreign[page];
            std::_Exit(c == 'y' ? 3 : 4);
        },
        testing::KilledBySignal(SIGBUS), "");
    // So does one sent by another process.
    EXPECT_EXIT(
        {
            const core::FileText text = core::FileText::Open(Write("mine", "mine"));
            ::kill(::getpid(), SIGBUS);
            std::_Exit(text.IsMapped() ? 3 : 4);
        },
        testing::KilledBySignal(SIGBUS), "");
}

TEST_F(FileText, MoreFilesThanTheHandlerFollowsAreRead) {
    // A file past the mappings the SIGBUS handler follows is read; a mapping given back makes
    // room again. Every earlier test has given its mappings back, so all are free here.
    const std::string path = Write("small", "a\nb\n");
    std::vector<core::FileText> open;
    for (int round = 0; round < 20; ++round) {
        open.clear();
        for (int i = 0; i < core::FileText::kMaxMapped; ++i) {
            open.push_back(core::FileText::Open(path));
            ASSERT_TRUE(open.back().IsMapped()) << "round " << round << ", text " << i;
        }
        open.push_back(core::FileText::Open(path));
        EXPECT_FALSE(open.back().IsMapped());
        for (const core::FileText& text : open)
            ASSERT_EQ(text.Bytes(), "a\nb\n");
    }
}

} // namespace
