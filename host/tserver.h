#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QObject>
#include <QTimer>
#include <array>
#include <cstdint>
#include <functional>

#include "host/chatguard.h"
#include "host/fairqueue.h"
#include "host/rejoin.h"
#include "host/tplayer.h"
#include "host/turnflow.h"
#include "net/framer.h"
#include "net/protocol.h"

class TSock;
enum class TSocketInfo;

// The game host: the one authoritative game, inside the copy that hosts. It seats
// up to nine connections (1 to 4 play, 5 to 9 watch), queues their requests fairly
// and handles one per 10 ms tick, and hands each to the turn flow or the chat
// relay. This class is the table of who handles what: the queue, the seat rules,
// the rejoin memory and the game loop each live in a room of their own.
class TServer : public QObject {
    Q_OBJECT
  public:
    static constexpr int kSeats = ::kSeats;
    static constexpr int kPlayerSeats = ::kPlayerSeats;
    static constexpr int kQueueTickMs = 10;
    static constexpr qsizetype kOutputLimit = 1024 * 1024;
    static constexpr int kMaxWaiting = 100;
    static constexpr int kLoginTimeoutMs = 10000;
    static constexpr int kClosedLinesKept = 4;      // per closed connection
    static constexpr int kClosedLinesWaiting = 20;  // of all closed connections
    // A peer that vanished without a close is found by keepalive probes.
    static constexpr int kKeepIdleS = 20, kKeepIntervalS = 5, kKeepProbes = 4;

    explicit TServer(QObject* parent = nullptr);
    ~TServer() override;

    // Switches the listener on; port 0 takes any free port. Raises ESockException.
    void startListening(std::uint16_t port);
    std::uint16_t listeningPort() const;

    // The hosting player's "Remove From Game": closes that seat's connection.
    void disconnectsock(int seat);

    // Read-only views for the windows and for tests.
    const tplayer& player(int seat) const { return players[seat]; }
    int sockcount() const { return sockcount_; }
    bool gameon() const { return turns.gameon(); }
    int currentplayer() const { return turns.currentplayer(); }
    bool teamgame() const { return turns.teamgame(); }
    const rules::TurnState& turn() const { return turns.turn(); }
    bool socktimerActive() const { return receivedlist.isActive(); }
    bool computerplayActive() const { return turns.computerplay().isActive(); }

    // Where the host reports connections, departures and dropped messages.
    std::function<void(const QString&)> onLog;
    // Rolls the twelve dice; tests put fixed dice here.
    void setRoll(std::function<void(rules::TurnState&)> roll) { turns.roll = std::move(roll); }
    void setComputerPlayInterval(int ms) { turns.setComputerPlayInterval(ms); }
    // Shorter waits for tests.
    void setLoginTimeout(int ms) { loginTimeoutMs_ = ms; }
    void setQueueInterval(int ms) { receivedlist.setInterval(ms); }
    void setRejoinHold(int ms) { rejoin.setHoldMs(ms); }
    void setKeepAlive(int idleS, int intervalS, int probes);

  private:
    // What the host keeps per connection besides its seat record.
    struct Link {
        MessageFramer framer;
        FloodGate flood;
        QDeadlineTimer loginBy;  // while the connection has not logged in
    };

    void Sock1Accept(TSock* listener);
    void Sock1Read(TSock* sender, int count);
    void socktimerTimer(FairQueue::Key from, const QByteArray& message);
    void tempsockDisconnect(TSock* sender);
    void tempsockInfo(TSock* sender, TSocketInfo info, const QString& text);
    void closeFor(TSock* sock, const QString& why);
    void keepClosedLines(int seat, TSock* sock);
    void armLoginWatch();
    void loginwatchTimer();

    void receivedlogininfo(int seat, const QByteArray& args);
    void moveSeat(int from, int to);
    void relay(int seat, protocol::Msg id, const QByteArray& text);
    std::optional<QByteArray> relayed(int seat, protocol::Msg id, const QByteArray& text);

    // A seat's name is set by its login and cleared when it is freed.
    bool loggedIn(int seat) const { return !players[seat].name.isEmpty(); }
    bool awaitingLogin(int seat) const { return players[seat].sock && !loggedIn(seat); }

    void dispatch(const protocol::MessageDef& def, int seat, const QByteArray& args);
    void sendTo(int seat, const QByteArray& message);
    void sendToAll(const QByteArray& message);
    void sendToPlayers(const QByteArray& message);
    void log(const QString& text) const;

    TSock* Sock1 = nullptr;
    SeatTable players;
    std::array<Link, kSeats + 1> links;  // per seated connection
    int sockcount_ = 0;
    int loginTimeoutMs_ = kLoginTimeoutMs;
    std::array<int, 3> keepAlive_{kKeepIdleS, kKeepIntervalS, kKeepProbes};
    Rejoin rejoin;
    // One timer for every connection that has yet to log in, armed for the first
    // of their deadlines: a connection flood must not leave a timer per connection.
    QTimer loginwatch;
    FairQueue receivedlist;
    TurnFlow turns;
};
