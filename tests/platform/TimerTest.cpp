#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/ExtCtrls.h"
#include "platform/Forms.h"

namespace {

/// Handles events for `time`, as the message loop would.
void RunFor(std::chrono::milliseconds time) {
    const auto end = std::chrono::steady_clock::now() + time;
    while (std::chrono::steady_clock::now() < end) {
        Application->ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

TEST(Timer, TicksOnlyWhileEnabledWithAnInterval) {
    TTimer timer;
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000);
    int ticks = 0;
    TObject* sender = nullptr;
    timer.OnTimer = [&](TObject* s) {
        ++ticks;
        sender = s;
    };
    timer.SetInterval(10);
    RunFor(std::chrono::milliseconds(150));
    EXPECT_GE(ticks, 4);
    EXPECT_LE(ticks, 16);
    EXPECT_EQ(sender, &timer);

    timer.SetEnabled(false);
    ticks = 0;
    RunFor(std::chrono::milliseconds(50));
    EXPECT_EQ(ticks, 0);

    // Enabled again but without an interval: still nothing.
    timer.SetInterval(-5);
    EXPECT_EQ(timer.Interval(), 0);
    timer.SetEnabled(true);
    RunFor(std::chrono::milliseconds(50));
    EXPECT_EQ(ticks, 0);

    timer.SetInterval(10);
    RunFor(std::chrono::milliseconds(80));
    EXPECT_GE(ticks, 2);
}

} // namespace
