#include "host/fairqueue.h"

#include <algorithm>

FairQueue::FairQueue(int intervalMs, Handler handler)
    : interval_(intervalMs), handler_(std::move(handler)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
    clock_.start();
    lastTick_ = -interval_;
}

void FairQueue::push(Key from, QByteArray message) {
    auto& queue = queues_[from];
    if (queue.empty()) turns_.push_back(from);
    queue.push_back(std::move(message));
    wake();
}

void FairQueue::pushClosed(QByteArray message, std::size_t limit) {
    push(nullptr, std::move(message));
    auto& queue = queues_[nullptr];
    while (queue.size() > limit)
        queue.pop_front();
}

std::size_t FairQueue::waiting(Key from) const {
    const auto it = queues_.find(from);
    return it == queues_.end() ? 0 : it->second.size();
}

std::deque<QByteArray> FairQueue::take(Key from) {
    std::deque<QByteArray> left;
    const auto it = queues_.find(from);
    if (it == queues_.end()) return left;
    left = std::move(it->second);
    queues_.erase(it);
    turns_.erase(std::remove(turns_.begin(), turns_.end(), from), turns_.end());
    if (turns_.empty()) timer_.stop();
    return left;
}

std::size_t FairQueue::size() const {
    std::size_t n = 0;
    for (const auto& [key, queue] : queues_)
        n += queue.size();
    return n;
}

void FairQueue::wake() {
    if (timer_.isActive() || turns_.empty()) return;
    const qint64 now = clock_.elapsed();
    // After a pause the grid starts again from now.
    due_ = now - lastTick_ >= interval_ ? now : lastTick_ + interval_;
    timer_.start(int(due_ - now));
}

void FairQueue::armNextTick() {
    if (turns_.empty()) return;
    due_ = lastTick_ + interval_;
    timer_.start(int(std::max<qint64>(0, due_ - clock_.elapsed())));
}

void FairQueue::tick() {
    const qint64 now = clock_.elapsed();
    // A tick that came very late (a long handler) restarts the grid rather than
    // handling a run of messages at once to catch up.
    lastTick_ = now - due_ > interval_ ? now : due_;
    if (turns_.empty()) return;
    const Key from = turns_.front();
    turns_.pop_front();
    auto& queue = queues_[from];
    const QByteArray message = std::move(queue.front());
    queue.pop_front();
    if (queue.empty())
        queues_.erase(from);
    else
        turns_.push_back(from);
    // Armed before the handler runs: a handler that fails must not stop the queue.
    armNextTick();
    handler_(from, message);
}
