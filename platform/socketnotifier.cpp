#include "platform/socketnotifier.h"

#include <QSocketNotifier>

#include "platform/socketcalls.h"

namespace platform {

namespace {
quint64 activationCount = 0;
}

quint64 SocketNotifier::activations() {
    return activationCount;
}

SocketNotifier::SocketNotifier(int fd, Mode mode, Handler handler, QObject* parent)
    : QObject(parent), fd_(fd), mode_(mode), handler_(std::move(handler)) {
    read_ = new QSocketNotifier(fd, QSocketNotifier::Read);
    write_ = new QSocketNotifier(fd, QSocketNotifier::Write);
    connect(read_, &QSocketNotifier::activated, this, &SocketNotifier::readReady);
    connect(write_, &QSocketNotifier::activated, this, &SocketNotifier::writeReady);
    updateEnabled();
}

SocketNotifier::~SocketNotifier() {
    // Our handler may be the one destroying us, from inside the notifier's own
    // event: switch the notifiers off now and let the event loop delete them.
    for (QSocketNotifier* n : {read_, write_}) {
        n->setEnabled(false);
        n->disconnect(this);
        n->deleteLater();
    }
}

void SocketNotifier::setWantWrite(bool want) {
    wantWrite_ = want;
    updateEnabled();
}

void SocketNotifier::updateEnabled() {
    bool reading = !busy_ && !finished_ && mode_ != Mode::Connecting;
    bool writing = !busy_ && !finished_ &&
                   (mode_ == Mode::Connecting || (mode_ == Mode::Connected && wantWrite_));
    if (read_->isEnabled() != reading) read_->setEnabled(reading);
    if (write_->isEnabled() != writing) write_->setEnabled(writing);
}

void SocketNotifier::readReady() {
    ++activationCount;
    if (mode_ == Mode::Listening) {
        deliver(SocketEvent::Accept, 0);
        return;
    }
    IoResult peek = peekOne(fd_);
    if (peek.wouldBlock()) return;
    if (peek.count > 0) {
        deliver(SocketEvent::Read, 0);
    } else {
        finished_ = true;
        deliver(SocketEvent::Close, peek.count == 0 ? 0 : peek.error);
    }
}

void SocketNotifier::writeReady() {
    ++activationCount;
    if (mode_ == Mode::Connecting) {
        int error = pendingSocketError(fd_);
        if (error != 0) {
            finished_ = true;
        } else {
            mode_ = Mode::Connected;
        }
        QPointer<SocketNotifier> self(this);
        deliver(SocketEvent::Connect, error);
        // Output given before the connection was made goes out now.
        if (self && error == 0 && wantWrite_) deliver(SocketEvent::Write, 0);
        return;
    }
    deliver(SocketEvent::Write, 0);
}

void SocketNotifier::deliver(SocketEvent kind, int error) {
    QPointer<SocketNotifier> self(this);
    busy_ = true;
    updateEnabled();
    handler_(kind, error);
    if (!self) return;
    busy_ = false;
    updateEnabled();
}

}  // namespace platform
