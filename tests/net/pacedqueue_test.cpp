#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "net/pacedqueue.h"
#include "tests/support/eventloop.h"

using testsupport::spin;
using testsupport::waitUntil;

TEST(PacedQueue, AnIsolatedItemIsHandledOnTheNextPassNotInsidePush) {
    std::vector<int> handled;
    // A long interval: only the zero-delay pass can handle the item in time here.
    PacedQueue<int> q(60000, [&](int& v) { handled.push_back(v); });
    q.push(1);
    EXPECT_TRUE(handled.empty()) << "never inside the event that queued it";
    for (int i = 0; i < 5 && handled.empty(); ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(handled.size(), 1u);
    EXPECT_FALSE(q.isActive()) << "an empty queue keeps no timer";
}

TEST(PacedQueue, ABurstIsPacedOnePerInterval) {
    std::vector<qint64> at;
    QElapsedTimer t;
    PacedQueue<int> q(10, [&](int&) { at.push_back(t.elapsed()); });
    t.start();
    for (int i = 0; i < 5; ++i)
        q.push(i);
    ASSERT_TRUE(waitUntil([&] { return at.size() == 5; }));
    for (size_t i = 1; i < at.size(); ++i)
        EXPECT_GE(at[i] - at[i - 1], 9) << i;
    // One that comes right after another waits out the interval.
    q.push(9);
    ASSERT_TRUE(waitUntil([&] { return at.size() == 6; }));
    EXPECT_GE(at[5] - at[4], 9);
}

TEST(PacedQueue, AFailingHandlerDoesNotStopTheQueue) {
    std::vector<int> handled;
    PacedQueue<int> q(1, [&](int& v) {
        handled.push_back(v);
        if (v == 1) throw std::runtime_error("bad line");
    });
    q.push(1);
    q.push(2);
    // The exception leaves the timer's event, as it would reach the error box.
    for (int i = 0; i < 200 && handled.size() < 2; ++i) {
        try {
            spin(2);
        } catch (const std::runtime_error&) {
        }
    }
    EXPECT_EQ(handled, (std::vector<int>{1, 2}));
}

TEST(PacedQueue, TickWorkKeepsTheTimerRunningUntilItIsDone) {
    int ticks = 0;
    PacedQueue<int> q(1, [](int&) {});
    q.setTickWork([&] { return ++ticks < 20; });
    EXPECT_FALSE(q.isActive());
    q.keepTicking();
    ASSERT_TRUE(waitUntil([&] { return ticks == 20; }));
    spin(20);
    EXPECT_EQ(ticks, 20);
    EXPECT_FALSE(q.isActive());
}
