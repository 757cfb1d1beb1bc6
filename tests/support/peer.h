#pragma once

#include <QByteArray>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>
#include <memory>
#include <vector>

// A plain TCP peer for end-to-end tests: a listener that keeps what each accepted
// connection sends, or a client, both speaking raw bytes.
class TestListener {
  public:
    explicit TestListener(quint16 port);
    bool listening() const { return server_.isListening(); }
    int connections() const { return int(sockets_.size()); }
    QTcpSocket* socket(int i) { return sockets_[size_t(i)].get(); }
    QByteArray received(int i);

  private:
    QTcpServer server_;
    std::vector<std::unique_ptr<QTcpSocket>> sockets_;
};

// A client that connects and cuts what it receives into 0xFF-ended messages.
class TestClient {
  public:
    bool connectTo(quint16 port, int ms = 5000);
    void send(const QByteArray& messageWithoutEnd);
    // Waits for a message that starts with `prefix`; returns it or an empty array.
    QByteArray waitFor(const QByteArray& prefix, int ms = 5000);
    QList<QByteArray> messages();  // everything received so far, in order
    // The messages not yet taken by waitFor or takeNew, after waiting `ms` for more.
    QList<QByteArray> takeNew(int ms = 0);
    // Waits until `count` messages are waiting to be taken.
    bool waitForNew(int count, int ms = 5000);
    bool closedByPeer();
    QTcpSocket& socket() { return socket_; }

  private:
    void pump();
    QTcpSocket socket_;
    QByteArray buffer_;
    QList<QByteArray> messages_;
    int seen_ = 0;
};
