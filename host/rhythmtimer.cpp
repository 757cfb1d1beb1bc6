#include "host/rhythmtimer.h"

#include <algorithm>

RhythmTimer::RhythmTimer(int intervalMs, std::function<void()> onTick)
    : interval_(intervalMs), onTick_(std::move(onTick)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        // Armed before the tick's work, which may stop or restart the timer; never
        // on the tick that just fired, even if the clock reads a little early.
        arm(std::max(clock_.elapsed(), due_));
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
