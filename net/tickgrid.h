#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <functional>

// The timer of a paced queue. While work lasts its ticks keep to a fixed grid, so a
// burst runs at exactly one tick per interval (a precise timer, so none comes
// early). A tick that came late catches up on the grid only as far as a tenth of
// an interval, so two ticks are never much closer than one interval. After a
// pause the first tick comes on the next pass of the event loop, never inside the
// call that brought the work.
class TickGrid {
  public:
    TickGrid(int intervalMs, std::function<void()> onTick)
        : interval_(intervalMs), onTick_(std::move(onTick)) {
        timer_.setSingleShot(true);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            firedAt_ = clock_.elapsed();
            lastTick_ = due_;
            onTick_();
        });
        clock_.start();
        lastTick_ = firedAt_ = -interval_;
    }

    void setInterval(int ms) { interval_ = ms; }

    // Arms a tick for work that arrived, unless one is armed already: at once after
    // a pause, else when the next tick is due.
    void wake() {
        if (timer_.isActive()) return;
        const qint64 now = clock_.elapsed();
        due_ = std::max(now, nextDue());
        timer_.start(int(due_ - now));
    }
    // Arms the tick after the running one; a tick's work calls it before its
    // handler, so a handler that fails cannot stop the queue.
    void armNext() {
        due_ = nextDue();
        timer_.start(int(std::max<qint64>(0, due_ - clock_.elapsed())));
    }
    void stop() { timer_.stop(); }
    bool isActive() const { return timer_.isActive(); }

  private:
    qint64 nextDue() const {
        return std::max(lastTick_ + interval_, firedAt_ + interval_ - interval_ / 10);
    }

    int interval_;
    std::function<void()> onTick_;
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 lastTick_ = 0;  // when the last tick was due
    qint64 firedAt_ = 0;   // when it came
    qint64 due_ = 0;       // when the armed tick is due
};
