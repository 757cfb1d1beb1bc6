#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <deque>
#include <functional>
#include <optional>

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
        : interval_(intervalMs), handler_(std::move(handler)) {
        timer_.setSingleShot(true);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
    }

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
        if (timer_.isActive() || !hasWork()) return;
        qint64 since = last_.isValid() ? last_.elapsed() : interval_;
        timer_.start(since >= interval_ ? 0 : int(interval_ - since));
    }

    std::size_t size() const { return items_.size(); }
    bool isActive() const { return timer_.isActive(); }
    std::deque<Item>& items() { return items_; }

  private:
    bool hasWork() const { return !items_.empty() || (tickWork_ && ticking_); }

    void tick() {
        last_.start();
        std::optional<Item> item;
        if (!items_.empty()) {
            item = std::move(items_.front());
            items_.pop_front();
        }
        // Armed before the handler runs: a handler that fails must not stop the queue.
        if (hasWork()) timer_.start(interval_);
        if (item) handler_(*item);
        if (tickWork_ && ticking_) ticking_ = tickWork_();
        if (!hasWork()) timer_.stop();
    }

    int interval_;
    Handler handler_;
    std::function<bool()> tickWork_;
    bool ticking_ = false;
    std::deque<Item> items_;
    QTimer timer_;
    QElapsedTimer last_;
};
