#pragma once

#include <deque>
#include <functional>
#include <optional>

#include "net/tickgrid.h"

// A first-in, first-out queue of received messages drained one message per
// interval by a timer on the user-interface thread. The timer runs only while
// there is work: a message that finds the queue idle, when the last one was handled
// at least one interval ago, is handled on the next pass of the event loop (never
// inside the socket event that brought it); a burst is paced one per interval.
template <typename Item>
class PacedQueue {
  public:
    using Handler = std::function<void(Item&)>;

    PacedQueue(int intervalMs, Handler handler)
        : handler_(std::move(handler)), grid_(intervalMs, [this] { tick(); }) {}

    void push(Item item) {
        items_.push_back(std::move(item));
        wake();
    }

    // Work done once per tick after the tick's message (a pause counter). It keeps
    // the timer running for as long as it returns true; keepTicking() starts it.
    void setTickWork(std::function<bool()> work) { tickWork_ = std::move(work); }
    void keepTicking() {
        ticking_ = true;
        wake();
    }

    // Arms the timer if it has work and is not armed yet.
    void wake() {
        if (hasWork()) grid_.wake();
    }

    std::size_t size() const { return items_.size(); }
    bool isActive() const { return grid_.isActive(); }
    std::deque<Item>& items() { return items_; }

  private:
    bool hasWork() const { return !items_.empty() || (tickWork_ && ticking_); }

    void tick() {
        std::optional<Item> item;
        if (!items_.empty()) {
            item = std::move(items_.front());
            items_.pop_front();
        }
        if (hasWork()) grid_.armNext();
        if (item) handler_(*item);
        if (tickWork_ && ticking_) ticking_ = tickWork_();
        if (!hasWork()) grid_.stop();
    }

    Handler handler_;
    std::function<bool()> tickWork_;
    bool ticking_ = false;
    std::deque<Item> items_;
    TickGrid grid_;
};
