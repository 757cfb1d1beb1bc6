#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QTimer>
#include <deque>
#include <functional>
#include <map>

// The host's waiting requests: one queue per connection, served in turn, one
// message per tick. A connection that keeps many messages waiting delays another
// connection's request by at most one tick, however many it keeps. The lines left
// by closed connections share one turn between them (key nullptr).
//
// Ticks follow a fixed 10 ms grid while a burst lasts, so a burst really runs at
// 100 messages a second; an idle queue arms no timer, and a message that finds it
// idle is handled on the next pass of the event loop, never inside the read that
// brought it.
class FairQueue {
  public:
    using Key = const void*;
    using Handler = std::function<void(Key from, const QByteArray& message)>;

    FairQueue(int intervalMs, Handler handler);

    void push(Key from, QByteArray message);
    // Adds a line of a closed connection; beyond `limit` waiting, the oldest go.
    void pushClosed(QByteArray message, std::size_t limit);
    std::size_t waiting(Key from) const;
    // Removes a connection's queue and returns what was waiting in it.
    std::deque<QByteArray> take(Key from);

    std::size_t size() const;
    void setInterval(int ms) { interval_ = ms; }
    bool isActive() const { return timer_.isActive(); }

  private:
    void wake();
    void tick();
    void armNextTick();

    int interval_;
    Handler handler_;
    std::map<Key, std::deque<QByteArray>> queues_;  // only queues with work
    std::deque<Key> turns_;                         // those queues, in serving order
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 lastTick_ = 0;  // on the grid: when the last tick was due
    qint64 due_ = 0;       // when the armed tick is due
};
