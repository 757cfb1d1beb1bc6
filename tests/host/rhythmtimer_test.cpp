// The computer's clock: its ticks keep to their grid across a sleep.
#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "host/rhythmtimer.h"
#include "tests/support/eventloop.h"

using testsupport::spin;
using testsupport::waitUntil;

TEST(RhythmTimer, AWakenedTimerTicksOnTheGridItWasStartedOn) {
    constexpr int kInterval = 80;
    QElapsedTimer clock;
    std::vector<qint64> ticks;
    RhythmTimer timer(kInterval, [&] { ticks.push_back(clock.elapsed()); });
    clock.start();
    timer.start();
    ASSERT_TRUE(waitUntil([&] { return ticks.size() == 2; }));
    timer.sleep();
    EXPECT_FALSE(timer.isActive());
    EXPECT_TRUE(timer.running());
    spin(kInterval * 3 + kInterval / 2);  // wake half-way between two ticks
    EXPECT_EQ(ticks.size(), 2u) << "asleep, it does not tick";
    const qint64 woken = clock.elapsed();
    timer.wake();
    ASSERT_TRUE(waitUntil([&] { return ticks.size() == 3; }));
    timer.stop();
    // A tick a little late is on the grid; an early one would read just under 80.
    for (qint64 at : ticks)
        EXPECT_LE(at % kInterval, 12) << "off the grid or early: " << at;
    EXPECT_LT(ticks[2] - woken, kInterval) << "the rhythm goes on, it does not start afresh";
}

TEST(RhythmTimer, AStoppedTimerStartsAfresh) {
    QElapsedTimer clock;
    std::vector<qint64> ticks;
    RhythmTimer timer(60, [&] { ticks.push_back(clock.elapsed()); });
    timer.start();
    timer.stop();
    EXPECT_FALSE(timer.running());
    spin(90);
    clock.start();
    timer.wake();
    ASSERT_TRUE(waitUntil([&] { return !ticks.empty(); }));
    timer.stop();
    EXPECT_GE(ticks[0], 59) << "a whole interval after the start";
}
