#include <gtest/gtest.h>

#include <QList>

#include "net/framer.h"

namespace {
QList<QByteArray> feed(MessageFramer& f, const QByteArray& data, bool* ok = nullptr) {
    QList<QByteArray> out;
    bool r = f.feed(data, [&](const QByteArray& m) { out << m; });
    if (ok) *ok = r;
    return out;
}
const char E = char(0xFF);
}  // namespace

TEST(Framer, CutsAtEveryEndByteAndKeepsTheUnfinishedRest) {
    MessageFramer f;
    EXPECT_EQ(feed(f, QByteArray("a+1") + E + "b+2" + E + "CMD_ch"),
              (QList<QByteArray>{"a+1", "b+2"}));
    EXPECT_EQ(f.unfinished(), 6);
    EXPECT_EQ(feed(f, QByteArray("at+x") + E), (QList<QByteArray>{"CMD_chat+x"}));
    EXPECT_EQ(f.unfinished(), 0);
}

TEST(Framer, TwoEndBytesInARowGiveAnEmptyMessage) {
    MessageFramer f;
    EXPECT_EQ(feed(f, QByteArray("x") + E + E), (QList<QByteArray>{"x", ""}));
}

TEST(Framer, UnfinishedMessageOverTheLimitIsRefused) {
    MessageFramer f;
    bool ok = false;
    feed(f, QByteArray(MessageFramer::kMaxUnfinished, 'a'), &ok);
    EXPECT_TRUE(ok) << "exactly the limit is still fine";
    feed(f, "a", &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(f.unfinished(), 0);
    // Long traffic in complete messages is never refused.
    MessageFramer g;
    QByteArray many;
    for (int i = 0; i < 10000; ++i)
        many += QByteArray("CMD_chat+1+hello") + E;
    feed(g, many, &ok);
    EXPECT_TRUE(ok);
}
