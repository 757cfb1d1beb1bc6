#include "tests/support/peer.h"

#include "tests/support/eventloop.h"

TestListener::TestListener(quint16 port) {
    server_.listen(QHostAddress::Any, port);
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
        while (QTcpSocket* s = server_.nextPendingConnection())
            sockets_.emplace_back(s);
    });
}

QByteArray TestListener::received(int i) {
    return sockets_[size_t(i)]->readAll();
}

bool TestClient::connectTo(quint16 port, int ms) {
    socket_.connectToHost(QHostAddress::LocalHost, port);
    return testsupport::waitUntil(
        [&] { return socket_.state() == QAbstractSocket::ConnectedState; }, ms);
}

void TestClient::send(const QByteArray& message) {
    socket_.write(message + char(0xFF));
    socket_.flush();
}

void TestClient::pump() {
    buffer_ += socket_.readAll();
    qsizetype end;
    while ((end = buffer_.indexOf(char(0xFF))) >= 0) {
        messages_ << buffer_.left(end);
        buffer_.remove(0, end + 1);
    }
}

QList<QByteArray> TestClient::messages() {
    pump();
    return messages_;
}

QByteArray TestClient::waitFor(const QByteArray& prefix, int ms) {
    QByteArray found;
    testsupport::waitUntil(
        [&] {
            pump();
            for (; seen_ < messages_.size(); ++seen_) {
                if (messages_[seen_].startsWith(prefix)) {
                    found = messages_[seen_++];
                    return true;
                }
            }
            return false;
        },
        ms);
    return found;
}

QList<QByteArray> TestClient::takeNew(int ms) {
    if (ms > 0) testsupport::spin(ms);
    pump();
    QList<QByteArray> fresh = messages_.mid(seen_);
    seen_ = int(messages_.size());
    return fresh;
}

bool TestClient::waitForNew(int count, int ms) {
    return testsupport::waitUntil(
        [&] {
            pump();
            return messages_.size() - seen_ >= count;
        },
        ms);
}

bool TestClient::closedByPeer() {
    pump();
    return socket_.state() == QAbstractSocket::UnconnectedState;
}
