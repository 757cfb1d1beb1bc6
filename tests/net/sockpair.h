#pragma once

#include <QStringList>
#include <memory>

#include "net/tsock.h"

// A listener on a free loopback port and helpers to connect to it, recording the
// information texts each socket reports.
struct InfoLog {
    QStringList texts;
    void attach(TSock* s) {
        s->OnInfo = [this](TSock*, TSocketInfo, const QString& t) { texts << t; };
    }
    int count(const QString& t) const { return int(texts.count(t)); }
};

struct Listener {
    std::unique_ptr<TSock> sock = std::make_unique<TSock>();
    std::vector<TSock*> accepted;
    InfoLog acceptedLog;
    QByteArray received;

    Listener() {
        sock->setPortName("0");
        sock->OnAccept = [this](TSock* l) {
            TSock* s = nullptr;
            if (l->Accept(s)) accepted.push_back(s);
        };
        // Accepted connections take the listener's read and information handlers.
        sock->OnRead = [this](TSock* s, int) { received += s->Receive(); };
        sock->setListen(true);
    }
    QString port() const { return QString::number(sock->localPort()); }
};

std::unique_ptr<TSock> connectTo(const QString& port, InfoLog* log = nullptr);
