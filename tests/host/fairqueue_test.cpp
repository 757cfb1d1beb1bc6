// The fair queue's order and its timer, without a host around it.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "host/fairqueue.h"
#include "tests/support/eventloop.h"

using testsupport::waitUntil;

namespace {

struct Recorder {
    std::vector<QByteArray> handled;
    FairQueue queue{1, [this](FairQueue::Key from, const QByteArray& m) {
                        handled.push_back((from ? "" : "closed:") + m);
                    }};
};

const int a = 0, b = 0, c = 0;  // three connections, told apart by address

}  // namespace

TEST(FairQueue, EachConnectionIsServedInTurnWhateverItKeepsWaiting) {
    Recorder r;
    for (const char* m : {"a1", "a2", "a3", "a4"})
        r.queue.push(&a, m);
    r.queue.push(&b, "b1");
    r.queue.push(&c, "c1");
    r.queue.push(&b, "b2");
    EXPECT_EQ(r.queue.waiting(&a), 4u);
    ASSERT_TRUE(waitUntil([&] { return r.handled.size() == 7; }));
    EXPECT_EQ(r.handled, std::vector<QByteArray>({"a1", "b1", "c1", "a2", "b2", "a3", "a4"}));
    EXPECT_TRUE(waitUntil([&] { return !r.queue.isActive(); })) << "idle, no timer armed";
}

TEST(FairQueue, AClosedConnectionsQueueIsTakenWholeAndItsLinesShareOneTurn) {
    Recorder r;
    r.queue.push(&a, "a1");
    r.queue.push(&a, "a2");
    r.queue.push(&b, "b1");
    r.queue.push(&b, "b2");
    EXPECT_EQ(r.queue.take(&b), std::deque<QByteArray>({"b1", "b2"}));
    EXPECT_EQ(r.queue.waiting(&b), 0u);
    for (int i = 1; i <= 25; ++i)
        r.queue.pushClosed("x" + QByteArray::number(i), 20);
    EXPECT_EQ(r.queue.size(), 22u) << "beyond 20 closed lines, the oldest go";
    ASSERT_TRUE(waitUntil([&] { return r.handled.size() == 22; }));
    EXPECT_EQ(r.handled[0], "a1");
    EXPECT_EQ(r.handled[1], "closed:x6");
    EXPECT_EQ(r.handled[2], "a2") << "the closed lines take one turn, not twenty";
    EXPECT_EQ(r.handled.back(), "closed:x25");
}

TEST(FairQueue, AMessageIsNeverHandledInsideThePushThatQueuedIt) {
    std::vector<QByteArray> handled;
    FairQueue q(60000, [&](FairQueue::Key, const QByteArray& m) { handled.push_back(m); });
    q.push(&a, "m");
    EXPECT_TRUE(handled.empty());
    for (int i = 0; i < 5 && handled.empty(); ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(handled.size(), 1u) << "the first message after a pause waits no interval";
    EXPECT_FALSE(q.isActive());
    q.push(&a, "n");
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(handled.size(), 1u) << "a second one waits its interval";
}
