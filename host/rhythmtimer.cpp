#include "host/rhythmtimer.h"

#include <algorithm>

RhythmTimer::RhythmTimer(int intervalMs, std::function<void()> onTick)
    : interval_(intervalMs), onTick_(std::move(onTick)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        // The timer counts whole milliseconds on a clock of its own and can fire a
        // fraction early by ours; a tick never comes before it is due.
        if (const qint64 early = due_ - clock_.elapsed(); early > 0) {
            timer_.start(int(early));
            return;
        }
        // Armed before the tick's work, which may stop or restart the timer.
        arm(clock_.elapsed());  // ticks missed while the program was busy are not made up
        onTick_();
    });
    clock_.start();
}

void RhythmTimer::start() {
    running_ = true;
    origin_ = clock_.elapsed();
    arm(origin_);
}

void RhythmTimer::stop() {
    running_ = false;
    timer_.stop();
}

void RhythmTimer::sleep() {
    timer_.stop();
}

void RhythmTimer::wake() {
    if (!running_) {
        start();
    } else if (!timer_.isActive()) {
        arm(clock_.elapsed());
    }
}

void RhythmTimer::arm(qint64 after) {
    due_ = origin_ + ((after - origin_) / interval_ + 1) * interval_;
    timer_.start(int(std::max<qint64>(0, due_ - clock_.elapsed())));
}
