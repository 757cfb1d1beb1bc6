#include "tests/download/httpserver.h"

HttpServer::HttpServer() {
    server_.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
        while (QTcpSocket* s = server_.nextPendingConnection()) {
            s->setParent(&server_);
            auto* request = new QByteArray;
            QObject::connect(s, &QTcpSocket::readyRead, s, [this, s, request] {
                *request += s->readAll();
                if (!request->contains("\r\n\r\n")) return;
                requests_ << *request;
                answer(s);
            });
            QObject::connect(s, &QObject::destroyed, [request] { delete request; });
        }
    });
}

QString HttpServer::url(const QString& path) const {
    return QString("http://127.0.0.1:%1%2").arg(port()).arg(path);
}

void HttpServer::redirect(const QByteArray& path, const QByteArray& location) {
    route(path, {"302 Found", {"Location: " + location}, "moved"});
}

void HttpServer::answer(QTcpSocket* s) {
    const QByteArray& request = requests_.back();
    const QByteArray path = request.mid(4, request.indexOf(' ', 4) - 4);
    auto found = routes_.find(path);
    const Reply reply = found != routes_.end() ? found->second : Reply{"404 Not Found", {}, "none"};
    QByteArray out = "HTTP/1.0 " + reply.status + "\r\n";
    for (const QByteArray& h : reply.headers)
        out += h + "\r\n";
    if (reply.withLength)
        out += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
    out += "\r\n";
    const qsizetype now = reply.sendBytes < 0 ? reply.body.size() : reply.sendBytes;
    s->write(out + reply.body.left(now));
    s->flush();
    if (reply.hold) {
        held_ << qMakePair(s, reply.body.mid(now));
        return;
    }
    s->disconnectFromHost();
}

void HttpServer::release() {
    for (auto& [s, rest] : held_) {
        s->write(rest);
        s->disconnectFromHost();
    }
    held_.clear();
}

quint16 closedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();  // closed again when `probe` goes
}
