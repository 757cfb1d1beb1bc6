#include "host/fairqueue.h"

#include <algorithm>

FairQueue::FairQueue(int intervalMs, Handler handler)
    : handler_(std::move(handler)), grid_(intervalMs, [this] { tick(); }) {}

void FairQueue::push(Key from, QByteArray message) {
    auto& queue = queues_[from];
    if (queue.empty()) turns_.push_back(from);
    queue.push_back(std::move(message));
    grid_.wake();
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
    if (turns_.empty()) grid_.stop();
    return left;
}

std::size_t FairQueue::size() const {
    std::size_t n = 0;
    for (const auto& [key, queue] : queues_)
        n += queue.size();
    return n;
}

void FairQueue::tick() {
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
    if (!turns_.empty()) grid_.armNext();
    handler_(from, message);
}
