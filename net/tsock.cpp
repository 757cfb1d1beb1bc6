#include "net/tsock.h"

#include <QMetaObject>
#include <QPointer>
#include <QVector>
#include <array>

#include "platform/socketcalls.h"
#include "platform/socketnotifier.h"
#include "platform/wsaerrors.h"

using platform::SocketEvent;
using platform::SocketNotifier;

namespace {

constexpr qsizetype kReceiveArea = 32768;
constexpr int kListenBacklog = 5;

struct CachedHost {
    QString name;
    std::uint32_t address;
};

// Shared by every socket; names compare without regard to letter case.
QVector<CachedHost>& hostCache() {
    static QVector<CachedHost> cache;
    return cache;
}

bool startsWithDigit(const QString& s) {
    return !s.isEmpty() && s.front().isDigit();
}

QString errorText(int code) {
    return QStringLiteral("Error #%1 (%2)")
        .arg(code)
        .arg(QString::fromLatin1(platform::wsaErrorName(code).data(),
                                 qsizetype(platform::wsaErrorName(code).size())));
}

}  // namespace

const char* socketInfoName(TSocketInfo info) {
    static constexpr std::array kNames = {"Lookup",  "Connect", "Close",  "Listen",
                                          "Receive", "Send",    "Accept", "Error"};
    return kNames[static_cast<size_t>(info)];
}

TSock::TSock(QObject* owner) : QObject(owner) {}

TSock::TSock(QObject* owner, int acceptedFd) : QObject(owner), fd_(acceptedFd), connected_(true) {}

TSock::~TSock() {
    if (fd_ >= 0 || listen_) Close();
}

void TSock::info(TSocketInfo kind, const QString& text) {
    if (!OnInfo) return;
    try {
        OnInfo(this, kind, text);
    } catch (...) {
        throw ESockException("Error here");
    }
}

void TSock::setSocketType(TSocketType type) {
    if (listen_) throw ESockException("SocketType - Can't Assign Socket Type While Listening");
    if (connected_) throw ESockException("SocketType - Can't Assign Socket Type While Connected");
    socketType_ = type;
}

void TSock::setHostName(const QString& name) {
    if (connected_ && socketType_ == TSocketType::stStream)
        info(TSocketInfo::siLookup,
             QStringLiteral("Setting HostName While Connected Has No Effect"));
    hostName_ = name;
}

void TSock::setPortName(const QString& name) {
    if (connected_ && socketType_ == TSocketType::stStream)
        info(TSocketInfo::siLookup,
             QStringLiteral("Setting PortName While Connected Has No Effect"));
    portName_ = name;
}

std::uint16_t TSock::localPort() const {
    return fd_ >= 0 ? platform::localPort(fd_) : 0;
}

std::uint32_t TSock::HostLookup(const QString& name) {
    info(TSocketInfo::siLookup, QStringLiteral("Lookup Of Host ") + name);
    if (startsWithDigit(name)) return platform::dottedToAddress(name.toStdString());
    for (const CachedHost& h : hostCache())
        if (h.name.compare(name, Qt::CaseInsensitive) == 0) return h.address;
    auto found = platform::lookupHostAddress(name.toStdString());
    if (!found) throw ESockException("Host Lookup - Could Not Find Host Entry");
    hostCache().push_back({name, *found});
    return *found;
}

std::uint16_t TSock::PortLookup(const QString& name) {
    info(TSocketInfo::siLookup, QStringLiteral("Lookup Of Port ") + name);
    if (startsWithDigit(name)) {
        // The value of the leading digits, as a C conversion reads a number.
        qsizetype end = 0;
        while (end < name.size() && name[end].isDigit())
            ++end;
        return static_cast<std::uint16_t>(name.left(end).toUInt());
    }
    const char* protocol = socketType_ == TSocketType::stStream ? "tcp" : "udp";
    auto port = platform::lookupServicePort(name.toStdString(), protocol);
    if (!port) throw ESockException("Port Lookup - Could Not Find Service Entry");
    return *port;
}

void TSock::registerStream(bool connecting) {
    notifier_ = new SocketNotifier(
        fd_, connecting ? SocketNotifier::Mode::Connecting : SocketNotifier::Mode::Connected,
        [this](SocketEvent kind, int error) { handleNotification(kind, error); }, this);
}

void TSock::dropNotifier() {
    delete notifier_;
    notifier_ = nullptr;
}

bool TSock::Open() {
    if (fd_ >= 0) return connected_;
    fd_ = platform::openStreamSocket();
    if (fd_ < 0) {
        int code = platform::lastSocketError();
        info(TSocketInfo::siError, errorText(code));
        return false;
    }
    // A lookup that raises leaves the handle, unconnected and unregistered, so a
    // later Open does nothing.
    remotePort_ = PortLookup(portName_);
    remoteAddress_ = HostLookup(hostName_);
    registerStream(true);
    int error = platform::startConnect(fd_, {remoteAddress_, remotePort_});
    if (error != 0) {
        // The attempt failed at once; report it as a failed connection would be.
        dropNotifier();
        QMetaObject::invokeMethod(
            this, [this, error] { handleNotification(SocketEvent::Connect, error); },
            Qt::QueuedConnection);
    }
    return connected_;
}

void TSock::setListen(bool on) {
    const bool previous = listen_;
    if (fd_ >= 0 && !listen_) throw ESockException("Listen - Socket Already In Use");
    if (socketType_ == TSocketType::stDatagram && on)
        throw ESockException("Listen - Cannot Listen On A Datagram Socket");
    listen_ = on;
    if (!on) {
        Close();
        info(TSocketInfo::siListen, QStringLiteral("Listening Stopped"));
        return;
    }
    if (previous) {
        info(TSocketInfo::siListen, QStringLiteral("Listening Already Running"));
        return;
    }
    const std::uint16_t port = PortLookup(portName_);
    fd_ = platform::openStreamSocket();
    // A failed bind or listen gives the handle back, so a later attempt can succeed.
    auto fail = [this](const char* text) {
        listen_ = false;
        platform::closeSocket(fd_);
        fd_ = -1;
        throw ESockException(text);
    };
    if (fd_ < 0 || !platform::bindAnyAddress(fd_, port)) fail("Listen - Error Binding Socket");
    if (!platform::startListening(fd_, kListenBacklog)) fail("Listen - Error Starting Listen");
    notifier_ = new SocketNotifier(
        fd_, SocketNotifier::Mode::Listening,
        [this](SocketEvent kind, int error) { handleNotification(kind, error); }, this);
    listen_ = true;
    info(TSocketInfo::siListen, QStringLiteral("Listening Started"));
}

void TSock::handleNotification(SocketEvent kind, int error) {
    QPointer<TSock> self(this);
    if (error > 10000) {
        info(TSocketInfo::siError, errorText(error));
        // A connection reset is also the end of the connection: without this the
        // socket would stay open and its seat taken for good.
        if (kind != SocketEvent::Close || !self) return;
    }
    switch (kind) {
        case SocketEvent::Read: {
            if (socketType_ == TSocketType::stStream && fd_ >= 0) {
                std::array<char, kReceiveArea> area;
                platform::IoResult r = platform::receiveSome(fd_, area.data(), area.size());
                if (r.count > 0) input_.append(area.data(), r.count);
            }
            info(TSocketInfo::siReceive, QStringLiteral("Non-Blocking Incoming Data"));
            if (self && OnRead) OnRead(this, int(input_.size()));
            break;
        }
        case SocketEvent::Write:
            if (!output_.isEmpty()) flushOutput();
            if (!self) return;
            info(TSocketInfo::siSend, QStringLiteral("Non-Blocking Outgoing Data"));
            if (self && OnWrite) OnWrite(this);
            break;
        case SocketEvent::Accept:
            if (!autoAccept_ && OnAccept) OnAccept(this);
            break;
        case SocketEvent::Connect:
            connected_ = true;
            info(TSocketInfo::siConnect, QStringLiteral("Non-Blocking Socket Connected"));
            if (self && OnConnect) OnConnect(this);
            break;
        case SocketEvent::Close:
            if (OnDisconnect) OnDisconnect(this);
            if (self) Close();
            break;
    }
}

bool TSock::Accept(TSock*& NewSock) {
    if (!listen_) throw ESockException("Accept - Socket Not In Listening Mode");
    platform::Ipv4Endpoint peer;
    int s = platform::acceptConnection(fd_, &peer);
    if (s < 0) {
        info(TSocketInfo::siAccept, QStringLiteral("Could Not Accept Connection"));
        return false;
    }
    peerAddress_ = QString::fromStdString(platform::addressToDotted(peer.address));
    auto* sock = new TSock(this, s);
    sock->blocking_ = blocking_;
    sock->blockingTimeout_ = blockingTimeout_;
    sock->OnRead = OnRead;
    sock->OnWrite = OnWrite;
    sock->OnDisconnect = OnDisconnect;
    sock->OnInfo = OnInfo;
    sock->registerStream(false);
    sock->setPortName(portName_);
    sock->setHostName(peerAddress_);
    NewSock = sock;
    info(TSocketInfo::siAccept, QStringLiteral("Created New TSock Structure"));
    return true;
}

bool TSock::Send(const QByteArray& text) {
    if (fd_ < 0) throw ESockException("Send - Socket Not Connected");
    if (listen_) throw ESockException("Send - Cannot Send On A Listener Socket");
    if (overflowed_) return true;
    output_.append(text);
    if (output_.isEmpty()) return true;
    if (outputLimit_ > 0 && output_.size() > outputLimit_) {
        closeForOverflow();
        return true;
    }
    QPointer<TSock> self(this);
    info(TSocketInfo::siSend, QStringLiteral("Non-Blocking Outgoing Data"));
    if (self) flushOutput();
    return true;
}

void TSock::flushOutput() {
    if (fd_ < 0) return;
    if (connected_) {
        platform::IoResult r = platform::sendSome(fd_, output_.constData(), output_.size());
        if (r.count > 0) output_.remove(0, r.count);
    }
    if (notifier_) notifier_->setWantWrite(!output_.isEmpty());
}

bool TSock::setKeepAlive(int idleS, int intervalS, int probes) {
    return fd_ >= 0 && platform::setKeepAlive(fd_, idleS, intervalS, probes);
}

void TSock::closeForOverflow() {
    // Called from inside an owner's send loop: drop the output now and close on the
    // next pass of the event loop, so the owner's handler finishes first.
    overflowed_ = true;
    output_.clear();
    if (notifier_) notifier_->setWantWrite(false);
    QMetaObject::invokeMethod(
        this, [this] { Close(); }, Qt::QueuedConnection);
}

QByteArray TSock::Receive() {
    if (fd_ < 0 && input_.isEmpty()) throw ESockException("Receive - Socket Not Connected");
    if (listen_) throw ESockException("Receive - Cannot Receive On A Listener Socket");
    QByteArray all;
    all.swap(input_);
    return all;
}

bool TSock::Close() {
    dropNotifier();
    const bool closed = platform::closeSocket(fd_);
    fd_ = -1;
    connected_ = false;
    output_.clear();
    const bool wasListening = listen_;
    listen_ = false;
    if (!wasListening) {
        try {
            info(TSocketInfo::siClose, QStringLiteral("Socket Closed"));
        } catch (...) {
        }
    }
    return closed;
}
