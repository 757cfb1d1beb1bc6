#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

// A periodic timer that can sleep without losing its rhythm. While it runs, its
// ticks fall on a fixed grid (a precise timer, so none comes early); sleeping
// stops the underlying timer, so an idle program wakes for nothing, and waking
// lands the next tick where it would have come had the timer run on.
class RhythmTimer {
  public:
    RhythmTimer(int intervalMs, std::function<void()> onTick);

    void setInterval(int ms) { interval_ = ms; }
    int interval() const { return interval_; }

    // Starts afresh: the first tick comes one interval from now.
    void start();
    // Stops for good; the next start() begins a new rhythm.
    void stop();
    // Stops ticking but keeps the rhythm for wake().
    void sleep();
    // Resumes a sleeping rhythm at its next tick; starts afresh when stopped.
    void wake();

    bool running() const { return running_; }            // started and not stopped
    bool isActive() const { return timer_.isActive(); }  // a tick is armed

  private:
    // Arms the first tick of the grid after `after` (a time on clock_).
    void arm(qint64 after);

    int interval_;
    std::function<void()> onTick_;
    bool running_ = false;
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 origin_ = 0;  // a tick of the rhythm, on clock_
    qint64 due_ = 0;     // the armed tick
};
