#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <array>
#include <cstdint>
#include <functional>

#include "host/rules.h"
#include "host/tplayer.h"
#include "net/framer.h"
#include "net/pacedqueue.h"
#include "net/protocol.h"

class TSock;
enum class TSocketInfo;

// The game host: the one authoritative game, inside the copy that hosts. It seats
// up to nine connections (1 to 4 play, 5 to 9 watch), queues their requests and
// handles one per 10 ms tick, applies the rules, announces the results, and plays
// seat 2 whenever nobody sits there, as well as the turns of players who only watch.
class TServer : public QObject {
    Q_OBJECT
  public:
    static constexpr int kSeats = 9;
    static constexpr int kPlayerSeats = 4;
    static constexpr int kQueueTickMs = 10;
    static constexpr int kComputerTickMs = 1000;
    static constexpr qsizetype kOutputLimit = 1024 * 1024;
    static constexpr int kMaxWaiting = 100;

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
    bool gameon() const { return gameon_; }
    int currentplayer() const { return currentplayer_; }
    bool teamgame() const { return teamgame_; }
    const rules::TurnState& turn() const { return turn_; }
    bool socktimerActive() const { return receivedlist.isActive(); }
    bool computerplayActive() const { return computerplay.isActive(); }

    // Where the host reports connections, departures and dropped messages.
    std::function<void(const QString&)> onLog;
    // Rolls the twelve dice; tests put fixed dice here.
    std::function<void(rules::TurnState&)> roll;
    void setComputerPlayInterval(int ms) { computerplay.setInterval(ms); }

  private:
    struct Received {
        QByteArray message;
        QPointer<TSock> from;  // the connection that sent it
    };

    void Sock1Accept(TSock* listener);
    void Sock1Read(TSock* sender, int count);
    void socktimerTimer(Received& item);
    void tempsockDisconnect(TSock* sender);
    void tempsockInfo(TSock* sender, TSocketInfo info, const QString& text);

    void receivedlogininfo(const QByteArray& args);
    void startgame(int seat, const QByteArray& flag);
    void findplayer();
    void throwdarts(int seat);
    void placedice(int seat, int die, int dart, int position);
    void autoplace(int seat);
    void endturn(int seat);
    void justwatch(int seat, const QByteArray& onOff);
    void chat(int seat, const QByteArray& text);
    void action(int seat, const QByteArray& text);
    void computerplayTimer();

    void dispatch(const protocol::MessageDef& def, int seat, const QByteArray& args);
    bool isAutomatic(int seat) const;
    QString seatName(int seat) const;
    rules::Table table();
    void sendTo(int seat, const QByteArray& message);
    void sendToAll(const QByteArray& message);
    void sendToPlayers(const QByteArray& message);
    void log(const QString& text) const;

    TSock* Sock1 = nullptr;
    std::array<tplayer, kSeats + 2> players;        // seats 1 to 10; 0 unused
    std::array<MessageFramer, kSeats + 1> framers;  // per seated connection
    int sockcount_ = 0;
    bool gameon_ = false;
    int currentplayer_ = 0;
    bool teamgame_ = false;
    int computerticks_ = 0;
    rules::TurnState turn_;
    PacedQueue<Received> receivedlist;
    QTimer computerplay;
};
