#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>
#include <map>

// One answer of the test server.
struct Reply {
    QByteArray status = "200 OK";
    QList<QByteArray> headers;  // further header lines, without line ends
    QByteArray body;
    bool withLength = true;  // send "Content-Length"
    // Body bytes sent at once (-1: all). With `hold` the rest waits for release();
    // without it the server closes after them, short of the announced length.
    qsizetype sendBytes = -1;
    bool hold = false;
};

// A small HTTP server on 127.0.0.1 (any free port): each path answers as routed,
// every other path with 404; it records each request's bytes.
class HttpServer {
  public:
    HttpServer();
    quint16 port() const { return server_.serverPort(); }
    QString url(const QString& path) const;

    void route(const QByteArray& path, const Reply& reply) { routes_[path] = reply; }
    void redirect(const QByteArray& path, const QByteArray& location);

    const QList<QByteArray>& requests() const { return requests_; }
    // Sends the rest of every held body and closes those connections.
    void release();

  private:
    void answer(QTcpSocket* socket);

    QTcpServer server_;
    std::map<QByteArray, Reply> routes_;
    QList<QByteArray> requests_;
    QList<QPair<QTcpSocket*, QByteArray>> held_;
};

// A port on 127.0.0.1 that nothing listens on.
quint16 closedPort();
