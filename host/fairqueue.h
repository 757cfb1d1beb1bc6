#pragma once

#include <QByteArray>
#include <deque>
#include <functional>
#include <map>

#include "net/tickgrid.h"

// The host's waiting requests: one queue per connection, served in turn, one
// message per tick. A connection that keeps many messages waiting delays another
// connection's request by at most one tick, however many it keeps. The lines left
// by closed connections share one turn between them (key nullptr).
//
// Ticks follow a fixed grid (see TickGrid) while a burst lasts, so a burst really
// runs at one message per interval; an idle queue arms no timer.
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
    void setInterval(int ms) { grid_.setInterval(ms); }
    bool isActive() const { return grid_.isActive(); }

  private:
    void tick();

    Handler handler_;
    std::map<Key, std::deque<QByteArray>> queues_;  // only queues with work
    std::deque<Key> turns_;                         // those queues, in serving order
    TickGrid grid_;
};
