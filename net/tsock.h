#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <stdexcept>

namespace platform {
class SocketNotifier;
enum class SocketEvent;
}  // namespace platform

// The error every TSock operation raises; it carries one fixed message text.
class ESockException : public std::runtime_error {
  public:
    explicit ESockException(const char* text) : std::runtime_error(text) {}
};

enum class TSocketType { stStream, stDatagram };
enum class TLineBreak { lbCRLF, lbCR, lbLF, lbSmart };
enum class TSocketInfo {
    siLookup,
    siConnect,
    siClose,
    siListen,
    siReceive,
    siSend,
    siAccept,
    siError
};

// "Lookup", "Connect", ... "Error".
const char* socketInfoName(TSocketInfo info);

class TSock;
using TNotifyEvent = std::function<void(TSock* Sender)>;
using TNotifyReadEvent = std::function<void(TSock* Sender, int Count)>;
using TNotifyInfoEvent =
    std::function<void(TSock* Sender, TSocketInfo SocketInfo, const QString& Msg)>;

// The line socket behind every connection of the program: a non-blocking TCP
// socket whose results reach its owner as events on the user-interface thread.
// Input and output are raw bytes; the protocol's framing is the owner's business.
class TSock : public QObject {
    Q_OBJECT
  public:
    explicit TSock(QObject* owner = nullptr);
    // Closes the socket first when it is listening or connected, with Close's reports.
    ~TSock() override;

    // Settings.
    TSocketType SocketType() const { return socketType_; }
    void setSocketType(TSocketType type);
    const QString& HostName() const { return hostName_; }
    void setHostName(const QString& name);
    const QString& PortName() const { return portName_; }
    void setPortName(const QString& name);
    bool Blocking() const { return blocking_; }
    void setBlocking(bool on) { blocking_ = on; }
    bool AutoAccept() const { return autoAccept_; }
    void setAutoAccept(bool on) { autoAccept_ = on; }
    bool Listen() const { return listen_; }
    void setListen(bool on);
    TLineBreak LineBreak() const { return lineBreak_; }
    void setLineBreak(TLineBreak lb) { lineBreak_ = lb; }
    int BlockingTimeout() const { return blockingTimeout_; }
    void setBlockingTimeout(int ms) { blockingTimeout_ = ms; }
    int Tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }

    // State.
    bool Connected() const { return connected_; }
    bool hasHandle() const { return fd_ >= 0; }
    // The local port of a listener or connection (a listener on port "0" gets any free one).
    std::uint16_t localPort() const;
    // The dotted address of the last connection accepted on this listener.
    const QString& peerAddress() const { return peerAddress_; }
    qsizetype pendingOutput() const { return output_.size(); }

    // Output limit in bytes; 0 (the default) means none. A connection whose waiting
    // output would pass it is closed, so a peer that never reads cannot exhaust memory.
    void setOutputLimit(qsizetype bytes) { outputLimit_ = bytes; }
    // Whether the connection was closed, or is closing, for passing that limit.
    bool overflowed() const { return overflowed_; }
    // Switches on keepalive probes (see platform::setKeepAlive); false if refused.
    bool setKeepAlive(int idleS, int intervalS, int probes);

    bool Open();
    bool Close();
    bool Send(const QByteArray& text);
    QByteArray Receive();
    bool Accept(TSock*& NewSock);

    std::uint32_t HostLookup(const QString& name);
    std::uint16_t PortLookup(const QString& name);

    // Events; an unset event is not called.
    TNotifyEvent OnConnect;
    TNotifyEvent OnDisconnect;
    TNotifyInfoEvent OnInfo;
    TNotifyReadEvent OnRead;
    TNotifyEvent OnWrite;
    TNotifyEvent OnAccept;

  private:
    TSock(QObject* owner, int acceptedFd);
    void handleNotification(platform::SocketEvent kind, int error);
    void registerStream(bool connecting);
    void dropNotifier();
    void info(TSocketInfo kind, const QString& text);
    void flushOutput();
    void closeForOverflow();

    int fd_ = -1;
    platform::SocketNotifier* notifier_ = nullptr;
    TSocketType socketType_ = TSocketType::stStream;
    QString hostName_;
    QString portName_;
    bool blocking_ = false;
    bool autoAccept_ = false;
    bool listen_ = false;
    TLineBreak lineBreak_ = TLineBreak::lbSmart;
    int blockingTimeout_ = 0;
    int tag_ = 0;
    bool connected_ = false;
    QByteArray input_;
    QByteArray output_;
    qsizetype outputLimit_ = 0;
    bool overflowed_ = false;
    std::uint32_t remoteAddress_ = 0;
    std::uint16_t remotePort_ = 0;
    QString peerAddress_;
};
