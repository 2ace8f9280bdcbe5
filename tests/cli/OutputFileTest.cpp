// The entry writer's descriptor: closed once, by Finish() or by the destructor.

#include <string>

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "TestFiles.h"
#include "cli/OutputFile.h"

namespace {

TEST(OutputFile, FinishedFileLeavesALaterDescriptorAlone) {
    clitest::ScratchDir dir;
    const std::string path = dir.Path("entries"), other = dir.Path("other");
    int later = -1;
    {
        cli::OutputFile file(path, STDOUT_FILENO);
        file.WriteLine("entry");
        file.Finish();
        // Takes the number just given back, which the destructor must not close again.
        later = ::open(other.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        ASSERT_GE(later, 0);
    }
    EXPECT_EQ(::write(later, "x", 1), 1);
    ::close(later);
    EXPECT_EQ(clitest::ReadAll(path), "entry\n");
    EXPECT_EQ(clitest::ReadAll(other), "x");
}

} // namespace
