#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <functional>

// The timer of a paced queue. While work lasts its ticks keep to a fixed grid, so a
// burst runs at exactly one tick per interval (a precise timer, so none comes
// early); a tick that came very late restarts the grid instead of catching up.
// After a pause the first tick comes on the next pass of the event loop, never
// inside the call that brought the work.
class TickGrid {
  public:
    TickGrid(int intervalMs, std::function<void()> onTick)
        : interval_(intervalMs), onTick_(std::move(onTick)) {
        timer_.setSingleShot(true);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            const qint64 now = clock_.elapsed();
            lastTick_ = now - due_ > interval_ ? now : due_;
            onTick_();
        });
        clock_.start();
        lastTick_ = -interval_;
    }

    void setInterval(int ms) { interval_ = ms; }

    // Arms a tick for work that arrived, unless one is armed already.
    void wake() {
        if (timer_.isActive()) return;
        const qint64 now = clock_.elapsed();
        due_ = now - lastTick_ >= interval_ ? now : lastTick_ + interval_;
        timer_.start(int(due_ - now));
    }
    // Arms the tick after the running one; a tick's work calls it before its
    // handler, so a handler that fails cannot stop the queue.
    void armNext() {
        due_ = lastTick_ + interval_;
        timer_.start(int(std::max<qint64>(0, due_ - clock_.elapsed())));
    }
    void stop() { timer_.stop(); }
    bool isActive() const { return timer_.isActive(); }

  private:
    int interval_;
    std::function<void()> onTick_;
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 lastTick_ = 0;  // on the grid: when the last tick was due
    qint64 due_ = 0;       // when the armed tick is due
};
