#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QSocketNotifier;

namespace platform {

// The readiness events a socket's owner is told about, as window-message socket
// notification delivers them.
enum class SocketEvent { Read, Write, Accept, Connect, Close };

// Turns level-triggered readiness of one non-blocking socket into socket events on
// the user-interface thread:
//  - listening: readable -> Accept;
//  - connecting: writable -> Connect, with the connection's error code when it failed;
//  - connected: readable -> Read, or Close when the peer has closed (a reset comes as
//    Close with its error code); writable -> Write, only while output waits.
// A notifier is off while its own event is handled, so a nested event loop in a
// handler (a message box) does not deliver the same readiness again.
class SocketNotifier : public QObject {
    Q_OBJECT
  public:
    enum class Mode { Listening, Connecting, Connected };
    using Handler = std::function<void(SocketEvent kind, int error)>;

    SocketNotifier(int fd, Mode mode, Handler handler, QObject* parent = nullptr);
    // Unregisters at once, so the caller may close the socket right after.
    ~SocketNotifier() override;

    // Asks for Write events while output waits; off again once it is flushed.
    void setWantWrite(bool want);

    // Readiness notifications received by every notifier of the process; lets a
    // check confirm that an idle connection wakes nothing.
    static quint64 activations();

  private:
    void readReady();
    void writeReady();
    void deliver(SocketEvent kind, int error);
    void updateEnabled();

    int fd_;
    Mode mode_;
    Handler handler_;
    QSocketNotifier* read_ = nullptr;
    QSocketNotifier* write_ = nullptr;
    bool wantWrite_ = false;
    bool finished_ = false;  // peer closed or connection failed: no further events
    bool busy_ = false;
};

}  // namespace platform
