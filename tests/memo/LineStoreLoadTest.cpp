// Loading a list from a file or a stream into an editor's store.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "TempFile.h"
#include "core/FileBytes.h"
#include "memo/AdvMemo.h"

namespace {

using namespace std::string_literals;

std::vector<std::string> Load(std::string_view bytes) {
    TAdvMemo memo(nullptr);
    TempFile file(bytes);
    memo.Lines().LoadFromFile(file.Path());
    std::vector<std::string> lines;
    for (int i = 0; i < memo.Lines().Count(); ++i)
        lines.emplace_back(memo.Lines().Get(i));
    return lines;
}

using Lines = std::vector<std::string>;

TEST(LineStoreLoad, BreaksAtCrLfAndCrLf) {
    EXPECT_EQ(Load("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(Load("a\r\nb"), (Lines{"a", "b"}));
    EXPECT_EQ(Load("a\n\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(Load("a\rb"), (Lines{"a", "b"}));
    EXPECT_EQ(Load("a\n\rb"), (Lines{"a", "", "b"})); // LF CR is two breaks
    EXPECT_EQ(Load("a\n\n"), (Lines{"a", ""}));       // only the very last break adds nothing
}

TEST(LineStoreLoad, EmptyFileGivesOneEmptyLine) {
    EXPECT_EQ(Load(""), (Lines{""}));
}

TEST(LineStoreLoad, NulEndsTheText) {
    EXPECT_EQ(Load("ab\0cd\r\nef"s), (Lines{"ab"}));
    EXPECT_EQ(Load("\0abc"s), (Lines{""}));
    // UTF-16: the byte order mark and the first character, then the first NUL.
    EXPECT_EQ(Load("\xFF\xFEh\0i\0"s), (Lines{"\xFF\xFEh"}));
}

TEST(LineStoreLoad, TabsBecomeFourSpacesAndCountInTheLength) {
    TAdvMemo memo(nullptr);
    TempFile file("\tx\r\nab\t\tc\r\n");
    memo.Lines().LoadFromFile(file.Path());
    EXPECT_EQ(memo.Lines().Get(0), "    x");
    EXPECT_EQ(memo.Lines().Get(1), "ab        c");
    EXPECT_EQ(memo.Lines().LineLength(1), 11);
    EXPECT_EQ(memo.LongestLine(), 11);
}

TEST(LineStoreLoad, BinaryBytesArriveUnchanged) {
    std::string bytes;
    for (int c = 1; c < 256; ++c)
        if (c != '\r' && c != '\n' && c != '\t')
            bytes.push_back(static_cast<char>(c));
    EXPECT_EQ(Load(bytes), (Lines{bytes}));
}

TEST(LineStoreLoad, ALoadResetsCaretSelectionAndView) {
    TAdvMemo memo(nullptr);
    memo.Lines().SetText("1\r\n2\r\n3\r\n4\r\n5");
    memo.SetCaretY(4);
    memo.SetCaretX(1);
    memo.SetSelection({0, 1}, {1, 3});
    TempFile file("x\r\ny\r\n");
    memo.Lines().LoadFromFile(file.Path());
    EXPECT_EQ(memo.CaretX(), 0);
    EXPECT_EQ(memo.CaretY(), 0);
    EXPECT_EQ(memo.TopLine(), 0);
    EXPECT_TRUE(memo.SelectionEmpty());
    EXPECT_EQ(memo.Lines().Count(), 2);
    EXPECT_TRUE(memo.RefreshOn());
    // Loaded lines carry records, as added lines do.
    EXPECT_NE(memo.Lines().Record(0), nullptr);
    EXPECT_NE(memo.Lines().Record(1), nullptr);
}

TEST(LineStoreLoad, AFileThatCannotBeReadLeavesTheStoreAsItWas) {
    TAdvMemo memo(nullptr);
    memo.Lines().ClearStore();
    TempFile file("");
    const std::string missing = (file.Dir() / "gone.txt").string();
    try {
        memo.Lines().LoadFromFile(missing);
        FAIL() << "loading a missing file must fail";
    } catch (const std::exception& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot open file \"" + missing + "\". No such file or directory");
    }
    EXPECT_EQ(memo.Lines().Count(), 0);

    // A folder fails the same way, with its own reason; the editor still reacts to changes.
    EXPECT_THROW(memo.Lines().LoadFromFile(file.Dir().string()), core::FileOpenError);
    int changes = 0;
    memo.OnChange = [&](TObject*) { ++changes; };
    memo.Lines().Add("after");
    EXPECT_EQ(changes, 1);
}

TEST(LineStoreLoad, StreamsLoadFromTheirPosition) {
    TAdvMemo memo(nullptr);
    TStringStream stream("skip\r\nkeep\r\nthis");
    stream.SetPosition(6);
    memo.Lines().LoadFromStream(stream);
    ASSERT_EQ(memo.Lines().Count(), 2);
    EXPECT_EQ(memo.Lines().Get(0), "keep");
}

TEST(LineStoreLoad, ALoadedTextGetsItsScrollBars) {
    TAdvMemo memo(nullptr);
    memo.SetBounds(0, 0, 500, 367);
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += std::string(120, 'x') + "\r\n";
    TStringStream stream(text);
    memo.Lines().LoadFromStream(stream);
    EXPECT_TRUE(memo.VerticalBar().Visible());
    EXPECT_EQ(memo.VerticalBar().Max(), 299);
    EXPECT_TRUE(memo.HorizontalBar().Visible());
    EXPECT_EQ(memo.HorizontalBar().Max(), 120);
}

// A file larger than the memory left: the load reports it and the process lives on. Run in a
// child with a capped address space; sanitizers reserve too much address space for that.
TEST(LineStoreLoad, AFileTooLargeForMemoryGivesAClearMessage) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizers reserve more address space than the limit under test";
#endif
    TempFile file("");
    const std::string big = (file.Dir() / "big.txt").string();
    {
        // Real bytes: a sparse file reads as zeros, and the first NUL would end the read.
        std::ofstream out(big, std::ios::binary);
        const std::string mebibyte(1 << 20, 'x');
        for (int i = 0; i < 256; ++i)
            out << mebibyte;
    }
    TAdvMemo memo(nullptr);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        rlimit limit{};
        getrlimit(RLIMIT_AS, &limit);
        // Room for what the process holds now, not for the file.
        long pages = 0;
        if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(statm, "%ld", &pages) != 1)
                pages = 0;
            std::fclose(statm);
        }
        limit.rlim_cur = static_cast<rlim_t>(pages) * 4096 + (128ull << 20);
        setrlimit(RLIMIT_AS, &limit);
        try {
            memo.Lines().LoadFromFile(big);
        } catch (const core::FileOpenError& e) {
            const std::string text = e.what();
            _exit(text.find("Cannot allocate memory") != std::string::npos ? 0 : 3);
        } catch (...) {
            _exit(4);
        }
        _exit(5);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "the load crashed";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
