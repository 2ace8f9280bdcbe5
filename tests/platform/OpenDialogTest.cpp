// The real file dialog behind TOpenDialog: what its filter lists, and that showing an entry
// never opens it.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/qt/FileDialog.h"

namespace {

namespace fs = std::filesystem;

class OpenDialog : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "dyadlist-dialog-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        std::ofstream(dir / "names") << "a\n";
        std::ofstream(dir / "list.txt") << "b\n";
        ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    }
    void TearDown() override { fs::remove_all(dir); }

    // The names the dialog lists in `dir`, once it listed `expected` of them or gave up.
    static std::set<std::string> Listed(QFileDialog& dialog, const fs::path& dir,
                                        std::size_t expected) {
        auto* model = dialog.findChild<QFileSystemModel*>();
        std::set<std::string> names;
        if (!model)
            return names;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < deadline) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            const QModelIndex root = model->index(QString::fromStdString(dir.string()));
            names.clear();
            for (int row = 0; row < model->rowCount(root); ++row)
                names.insert(model->index(row, 0, root).data().toString().toStdString());
            if (names.size() >= expected)
                break;
        }
        return names;
    }

    fs::path dir;
};

} // namespace

TEST_F(OpenDialog, StarDotStarMeansEveryFile) {
    EXPECT_EQ(QtNameFilters("*.*|*.*").toStdString(), "*.* (*)");
    EXPECT_EQ(QtNameFilters("Text files|*.txt;*.lst|All|*.*").toStdString(),
              "Text files (*.txt *.lst);;All (*)");
    // The real dialog with the program's filter lists a file without a dot.
    const auto dialog = NewOpenDialog(nullptr, "Load List 1", dir.string() + "/", "*.*|*.*");
    EXPECT_EQ(Listed(*dialog, dir, 3), (std::set<std::string>{"list.txt", "names", "pipe"}));
    // A real pattern still filters.
    dialog->setNameFilter(QtNameFilters("Text|*.txt"));
    EXPECT_EQ(Listed(*dialog, dir, 1), (std::set<std::string>{"list.txt"}));
}

TEST_F(OpenDialog, ShowingAnEntryNeverOpensIt) {
    // Whoever opens these for reading blocks, as /proc/kmsg blocks its readers: a FIFO without
    // a writer, and a regular file (without a suffix, so its type cannot come from its name)
    // under a write lease. Asked about them, the dialog's icon provider must come back at once.
    const auto dialog = NewOpenDialog(nullptr, "Load List 1", dir.string() + "/", "*.*|*.*");
    const QAbstractFileIconProvider* icons = dialog->iconProvider();
    ASSERT_NE(icons, nullptr);
    const std::string fifo = (dir / "pipe").string();
    const std::string leased = (dir / "names").string();
    // Breaking a lease signals its holder: ignored here, the opener just waits.
    struct sigaction ignore = {}, previous = {};
    ignore.sa_handler = SIG_IGN;
    ASSERT_EQ(::sigaction(SIGIO, &ignore, &previous), 0);
    const int holder = ::open(leased.c_str(), O_WRONLY);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::fcntl(holder, F_SETLEASE, F_WRLCK), 0) << "no file leases here";

    std::atomic<bool> answered = false;
    std::thread asker([&] {
        for (const std::string& path : {fifo, leased}) {
            const QFileInfo info(QString::fromStdString(path));
            icons->icon(info);
            icons->type(info);
        }
        answered = true;
    });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!answered && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const bool inTime = answered;
    // Set a stuck reader free: the lease goes, and the FIFO gets a writer that closes at once.
    ::fcntl(holder, F_SETLEASE, F_UNLCK);
    while (!answered) {
        const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    asker.join();
    ::close(holder);
    ::sigaction(SIGIO, &previous, nullptr);
    EXPECT_TRUE(inTime) << "the icon provider opened an entry to show it";
    EXPECT_EQ(
        icons->type(QFileInfo(QString::fromStdString((dir / "list.txt").string()))).toStdString(),
        "TXT File");
}
