#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

#include "host/rhythmtimer.h"
#include "host/rules.h"
#include "host/tplayer.h"

// The game loop of the host: starting a game, beginning each turn, the throw, the
// placements, the end of a turn and the win, just watching, and the computer that
// plays seat 2 while nobody sits there and the turns of players who only watch.
// Each operation is called by the host for one request, already checked to come
// from the seat's own connection.
class TurnFlow {
  public:
    static constexpr int kComputerTickMs = 1000;

    // How the flow reaches the connections.
    struct Outbox {
        std::function<void(int seat, const QByteArray&)> toSeat;
        std::function<void(const QByteArray&)> toAll;
        std::function<void(const QByteArray&)> toPlayers;  // seats 1 to 4 only
        std::function<void(const QString&)> log;
    };

    TurnFlow(SeatTable& players, Outbox outbox);

    void startgame(int seat, const QByteArray& flag);
    void findplayer();
    // A player's throw request; false when it is refused.
    bool throwRequest(int seat);
    void throwdarts(int seat);
    void placedice(int seat, int die, int dart, int position);
    void autoplace(int seat);
    void justwatch(int seat, const QByteArray& onOff);

    // A seat's connection closed: the game goes on without it.
    void seatLeft(int seat);
    // A newcomer whose seat's turn is running learns the roll and the placements
    // so far, then that the turn is its own.
    void catchUp(int seat);

    bool gameon() const { return gameon_; }
    int currentplayer() const { return currentplayer_; }
    bool teamgame() const { return teamgame_; }
    const rules::TurnState& turn() const { return turn_; }
    const RhythmTimer& computerplay() const { return computerplay_; }
    void setComputerPlayInterval(int ms) { computerplay_.setInterval(ms); }
    QString seatName(int seat) const;

    // Rolls the twelve dice; tests put fixed dice here.
    std::function<void(rules::TurnState&)> roll;

  private:
    void endturn(int seat);
    void computerplayTimer();
    void startComputerTurn();
    bool isAutomatic(int seat) const;
    rules::Table table();

    SeatTable& players;
    Outbox out;
    bool gameon_ = false;
    int currentplayer_ = 0;
    bool teamgame_ = false;
    int computerticks_ = 0;
    rules::TurnState turn_;
    std::vector<QByteArray> placements_;  // this turn's announcements, for a newcomer
    RhythmTimer computerplay_;
};
