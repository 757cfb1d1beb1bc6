#include "platform/singleinstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace platform {

namespace {

constexpr int kAskTimeoutMs = 2000;
const QByteArray kRestoreRequest = "restore\n";

}  // namespace

QString runtimeFolder() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    QDir().mkpath(dir);
    return dir;
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::CheckPrevInstance(const QString& name, bool restore) {
    const QString base = QDir(runtimeFolder()).filePath(name);
    auto lock = std::make_unique<QLockFile>(base + ".lock");
    lock->setStaleLockTime(0);  // a copy that died leaves a lock whose owner is gone
    if (lock->tryLock(0)) {
        lock_ = std::move(lock);
        server_ = new QLocalServer(this);
        QLocalServer::removeServer(base);
        server_->listen(base);
        connect(server_, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket* s = server_->nextPendingConnection()) {
                connect(s, &QLocalSocket::readyRead, this, [this, s] {
                    if (s->readAll().contains(kRestoreRequest.trimmed()) && onRestore_)
                        onRestore_();
                });
                connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            }
        });
        return false;
    }
    if (restore) {
        QLocalSocket s;
        s.connectToServer(base);
        if (s.waitForConnected(kAskTimeoutMs)) {
            s.write(kRestoreRequest);
            s.waitForBytesWritten(kAskTimeoutMs);
            s.disconnectFromServer();
        }
    }
    return true;
}

std::unique_ptr<QLockFile> createNamedMutex(const QString& name) {
    auto lock = std::make_unique<QLockFile>(QDir(runtimeFolder()).filePath(name + ".lock"));
    lock->setStaleLockTime(0);
    lock->tryLock(0);
    return lock;
}

}  // namespace platform
