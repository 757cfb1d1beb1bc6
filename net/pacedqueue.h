#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
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
        clock_.start();
        lastTick_ = -interval_;
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
        const qint64 now = clock_.elapsed();
        // After a pause the grid starts again from now.
        due_ = now - lastTick_ >= interval_ ? now : lastTick_ + interval_;
        timer_.start(int(due_ - now));
    }

    std::size_t size() const { return items_.size(); }
    bool isActive() const { return timer_.isActive(); }
    std::deque<Item>& items() { return items_; }

  private:
    bool hasWork() const { return !items_.empty() || (tickWork_ && ticking_); }

    void tick() {
        const qint64 now = clock_.elapsed();
        // Ticks keep to a fixed grid, so a burst runs at exactly one item per
        // interval; one that came very late restarts the grid instead of catching up.
        lastTick_ = now - due_ > interval_ ? now : due_;
        std::optional<Item> item;
        if (!items_.empty()) {
            item = std::move(items_.front());
            items_.pop_front();
        }
        // Armed before the handler runs: a handler that fails must not stop the queue.
        if (hasWork()) {
            due_ = lastTick_ + interval_;
            timer_.start(int(std::max<qint64>(0, due_ - clock_.elapsed())));
        }
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
    QElapsedTimer clock_;
    qint64 lastTick_ = 0;  // on the grid: when the last tick was due
    qint64 due_ = 0;       // when the armed tick is due
};
