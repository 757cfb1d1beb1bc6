#include "net/framer.h"

bool MessageFramer::feed(const QByteArray& data,
                         const std::function<void(const QByteArray&)>& message) {
    pending_.append(data);
    qsizetype start = 0;
    for (qsizetype end; (end = pending_.indexOf(kEnd, start)) >= 0; start = end + 1) {
        if (end - start > kMaxUnfinished) {
            pending_.clear();
            return false;
        }
        message(pending_.mid(start, end - start));
    }
    pending_.remove(0, start);
    if (pending_.size() > kMaxUnfinished) {
        pending_.clear();
        return false;
    }
    return true;
}
