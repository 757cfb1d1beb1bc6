#include "host/turnflow.h"

#include <QStringList>

#include "host/random.h"
#include "net/protocol.h"

using protocol::Msg;

TurnFlow::TurnFlow(SeatTable& players, Outbox outbox)
    : players(players),
      out(std::move(outbox)),
      computerplay_(kComputerTickMs, [this] { computerplayTimer(); }) {
    roll = [](rules::TurnState& turn) { rules::rollDice(turn); };
}

rules::Table TurnFlow::table() {
    rules::Table t;
    std::array<bool, kPlayerSeats> connected{};
    for (int seat = 1; seat <= kPlayerSeats; ++seat) {
        t.cards[seat - 1] = &players[seat];
        connected[seat - 1] = players[seat].connected;
    }
    t.takingPart = rules::takingPart(connected);
    return t;
}

bool TurnFlow::isAutomatic(int seat) const {
    return !players[seat].connected || players[seat].justwatching;
}

QString TurnFlow::seatName(int seat) const {
    return seat == 2 && !players[2].connected ? QString("Vuzi") : players[seat].name;
}

void TurnFlow::startgame(int seat, const QByteArray& flag) {
    rules::clearit1(table());
    for (int s = 1; s <= kPlayerSeats; ++s)
        players[s].justwatching = false;
    bool everyone = true;
    for (int s = 1; s <= kPlayerSeats; ++s)
        everyone = everyone && players[s].connected;
    teamgame_ = flag == "t" && everyone;
    out.toAll(protocol::build(Msg::startgameAnnouncement, {seat, QString(teamgame_ ? "t" : "n")}));
    gameon_ = true;
    currentplayer_ = 1 + rng::randomBelow(4);
    if (currentplayer_ == 3 && !players[3].connected) currentplayer_ = 1;
    out.log(QString("seat %1 started a %2game").arg(seat).arg(teamgame_ ? "team " : ""));
    findplayer();
}

void TurnFlow::findplayer() {
    turn_.reset();
    placements_.clear();
    do {
        currentplayer_ = currentplayer_ % kPlayerSeats + 1;
    } while (currentplayer_ != 2 && !players[currentplayer_].connected);
    tplayer& p = players[currentplayer_];
    p.placed = 0;
    p.mustthrow = true;
    out.toPlayers(protocol::build(Msg::nextplayer, {currentplayer_}));
    if (isAutomatic(currentplayer_))
        startComputerTurn();
    else
        computerplay_.stop();
}

void TurnFlow::startComputerTurn() {
    computerticks_ = 0;
    // A timer already running keeps its rhythm, even while it sleeps.
    computerplay_.wake();
}

bool TurnFlow::throwRequest(int seat) {
    // Only the player whose turn it is rolls, once a turn; a modified client
    // must not re-roll somebody else's dice.
    if (gameon_ && (seat != currentplayer_ || !players[seat].mustthrow)) return false;
    throwdarts(seat);
    return true;
}

void TurnFlow::throwdarts(int seat) {
    roll(turn_);
    std::vector<protocol::Value> values;
    for (int value : turn_.dice)
        values.emplace_back(value);
    out.toAll(protocol::build(Msg::thedart, values));
    players[seat].mustthrow = false;
    if (isAutomatic(seat)) autoplace(seat);
}

void TurnFlow::placedice(int seat, int die, int dart, int position) {
    if (seat != currentplayer_) return;
    std::optional<std::string> text = rules::placedice(turn_, die, dart, position);
    if (!text) return;
    tplayer& p = players[seat];
    ++p.placed;
    placements_.push_back(protocol::build(
        Msg::placediceAnnouncement, {seat, QString::fromStdString(*text), die, dart, position}));
    out.toAll(placements_.back());
    if (p.placed == rules::kDice) endturn(seat);
}

void TurnFlow::autoplace(int seat) {
    if (seat != currentplayer_) return;
    for (const rules::Placement& step : rules::autoplace(turn_))
        placedice(seat, step.die, step.dart, step.position);
}

void TurnFlow::endturn(int seat) {
    const rules::Table t = table();
    rules::applyDarts(turn_, seat, t);
    auto endMessage = [this](int s) {
        return protocol::build(
            Msg::endturn,
            {s, players[s].score, QString::fromStdString(turn_.dart(1)),
             QString::fromStdString(turn_.dart(2)), QString::fromStdString(turn_.dart(3))});
    };
    out.toAll(endMessage(seat));
    if (teamgame_) {
        rules::shareCard(seat, t);
        out.toAll(endMessage(players[seat].partner));
    }
    QString winner;
    if (rules::checkforwin(seat, t, teamgame_)) {
        winner = seatName(seat);
        if (teamgame_) winner += " and " + seatName(players[seat].partner);
    } else if (const std::vector<int> tied = rules::stalemateLeaders(t, teamgame_); !tied.empty()) {
        // Everything is closed and the top score is shared: no turn could ever
        // change it, so the game ends with those players winning together.
        QStringList names;
        for (int s : tied)
            names << seatName(s);
        winner = names.join(" and ");
    } else {
        findplayer();
        return;
    }
    gameon_ = false;
    currentplayer_ = 0;
    out.log(QString("%1 won").arg(winner));
    out.toAll(protocol::build(Msg::winner, {winner}));
}

void TurnFlow::justwatch(int seat, const QByteArray& onOff) {
    tplayer& p = players[seat];
    if (onOff == "2") {
        p.justwatching = false;
        out.toAll(protocol::build(Msg::justwatching, {seat, QString("2")}));
    } else if (onOff == "1") {
        p.justwatching = true;
        out.toAll(protocol::build(Msg::justwatching, {seat, QString("1")}));
        if (currentplayer_ != seat) return;
        if (p.mustthrow)
            throwdarts(seat);
        else
            autoplace(seat);
    }
}

void TurnFlow::seatLeft(int seat) {
    if (!gameon_ || currentplayer_ != seat) return;
    if (seat == 2) {
        startComputerTurn();  // the computer finishes the turn
    } else {
        // Seat 1 too: on a host without a window the game goes on without it.
        findplayer();
    }
}

void TurnFlow::catchUp(int seat) {
    if (!gameon_ || currentplayer_ != seat) return;
    if (!players[seat].mustthrow) {
        std::vector<protocol::Value> values;
        for (int value : turn_.dice)
            values.emplace_back(value);
        out.toSeat(seat, protocol::build(Msg::thedart, values));
        for (const QByteArray& placement : placements_)
            out.toSeat(seat, placement);
    }
    out.toSeat(seat, protocol::build(Msg::nextplayer, {seat}));
}

void TurnFlow::computerplayTimer() {
    ++computerticks_;
    if (currentplayer_ != 0 && computerticks_ == 2 && isAutomatic(currentplayer_)) {
        throwdarts(currentplayer_);
    } else if (currentplayer_ == 0 || computerticks_ >= 2) {
        // No automatic turn waits: an idle host keeps no timer armed. The rhythm
        // is kept for the next automatic turn.
        computerplay_.sleep();
    }
}
