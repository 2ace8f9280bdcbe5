// Work off the main thread: its result and its failure come back, and the window meanwhile
// paints, runs its timers and shows the busy cursor.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>

#include <atomic>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

#include "platform/BusyWork.h"

namespace {

using namespace std::chrono_literals;

/// Waits on the worker until `ready` holds, at most five seconds; false when it never did
/// (the main thread was not running its events).
template <class Ready> bool WaitUntil(Ready ready) {
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!ready()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

class PaintCounter : public QWidget {
public:
    std::atomic<int> paints{0};

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

TEST(BusyWork, ReturnsTheWorksResultComputedOnAnotherThread) {
    const std::thread::id main = std::this_thread::get_id();
    auto result =
        BusyWork([] { return std::make_unique<std::thread::id>(std::this_thread::get_id()); });
    ASSERT_TRUE(result);
    EXPECT_NE(*result, main);

    int ran = 0;
    BusyWork([&] { ++ran; });
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // Off the main thread there is no window to keep alive: the work runs in place.
    std::thread::id caller;
    std::thread::id worker;
    std::thread([&] {
        caller = std::this_thread::get_id();
        worker = BusyWork([] { return std::this_thread::get_id(); });
    }).join();
    EXPECT_EQ(worker, caller);
}

TEST(BusyWork, RethrowsTheWorksFailureOnTheCallingThread) {
    std::thread::id thrower;
    try {
        BusyWork([&]() -> int {
            thrower = std::this_thread::get_id();
            throw Failure("Cannot open file \"x\". No such file or directory");
        });
        FAIL() << "nothing thrown";
    } catch (const Failure& failure) {
        EXPECT_STREQ(failure.what(), "Cannot open file \"x\". No such file or directory");
    }
    EXPECT_NE(thrower, std::this_thread::get_id());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// A timer repaints the window while the work waits for the paints: were the main thread
// blocked, neither would come and the work would give up.
TEST(BusyWork, TheWindowPaintsAndItsTimersTickWhileTheWorkRuns) {
    PaintCounter window;
    window.resize(50, 50);
    window.show();
    std::atomic<int> ticks{0};
    Qt::CursorShape cursor = Qt::ArrowCursor;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++ticks;
        if (const QCursor* busy = QGuiApplication::overrideCursor())
            cursor = busy->shape();
        window.update();
    });
    timer.start(10);
    const int paintsBefore = window.paints;
    const bool painted = BusyWork(
        [&] { return WaitUntil([&] { return ticks >= 3 && window.paints >= paintsBefore + 3; }); });
    EXPECT_TRUE(painted) << ticks << " ticks, " << window.paints - paintsBefore << " paints";
    EXPECT_EQ(cursor, Qt::WaitCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(BusyWork, BusyCursorsNestAndTheOutermostRestores) {
    {
        const TBusyCursor command;
        BusyWork([] {});
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// A quit asked for during the work ends the application's loop once the command is over;
// the wait goes on with the window alive until the work is done.
TEST(BusyWork, AQuitDuringTheWorkWaitsForTheWorkAndEndsTheLoopAfterIt) {
    std::atomic<bool> quitAsked{false};
    std::atomic<int> ticksAfterQuit{0};
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (quitAsked)
            ++ticksAfterQuit;
    });
    timer.start(10);
    bool finished = false;
    bool ticked = false;
    QObject context; // takes the single shots that have not fired along when the test ends
    QTimer::singleShot(0, &context, [&] {
        ticked =
            BusyWork([&] { return WaitUntil([&] { return quitAsked && ticksAfterQuit >= 3; }); });
        finished = true;
    });
    QTimer::singleShot(30, &context, [&] {
        QCoreApplication::quit();
        quitAsked = true;
    });
    bool stuck = false;
    QTimer::singleShot(10000, &context, [&] {
        stuck = true;
        QCoreApplication::exit(1);
    });
    QCoreApplication::exec();
    EXPECT_TRUE(finished);
    EXPECT_TRUE(ticked) << ticksAfterQuit << " ticks after the quit";
    EXPECT_FALSE(stuck) << "the quit was lost";
}

} // namespace
