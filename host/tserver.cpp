#include "host/tserver.h"

#include "host/random.h"
#include "net/protocol.h"
#include "net/tsock.h"
#include "net/wiretext.h"

using protocol::Fields;
using protocol::Msg;

namespace {

// Control characters would break a chat line or a file line; they never belong in a name.
QString cleanName(const QString& name) {
    QString clean;
    clean.reserve(name.size());
    for (QChar c : name)
        if (c.unicode() >= 0x20 && c.unicode() != 0x7F) clean.append(c);
    return clean;
}

bool inRange(int value, int low, int high) {
    return value >= low && value <= high;
}

}  // namespace

TServer::TServer(QObject* parent)
    : QObject(parent),
      receivedlist(kQueueTickMs, [this](Received& item) { socktimerTimer(item); }) {
    setObjectName("server");
    for (int seat = 1; seat <= kPlayerSeats; ++seat)
        players[seat].partner = rules::partnerOf(seat);
    roll = [](rules::TurnState& turn) { rules::rollDice(turn); };

    Sock1 = new TSock(this);
    Sock1->setObjectName("Sock1");
    Sock1->setPortName("7775");
    Sock1->OnAccept = [this](TSock* listener) { Sock1Accept(listener); };

    computerplay.setInterval(kComputerTickMs);
    connect(&computerplay, &QTimer::timeout, this, &TServer::computerplayTimer);
}

TServer::~TServer() {
    // The connections go down with the host; nobody is left to tell.
    for (tplayer& p : players) {
        if (!p.sock) continue;
        p.sock->OnInfo = nullptr;
        p.sock->OnDisconnect = nullptr;
    }
}

void TServer::log(const QString& text) const {
    if (onLog) onLog(text);
}

void TServer::startListening(std::uint16_t port) {
    Sock1->setPortName(QString::number(port));
    Sock1->setListen(true);
}

std::uint16_t TServer::listeningPort() const {
    return Sock1->localPort();
}

// ---- seating ------------------------------------------------------------------

void TServer::Sock1Accept(TSock* listener) {
    TSock* sock = nullptr;
    if (!listener->Accept(sock)) return;  // nothing was seated for it
    int seat = 0;
    if (sockcount_ == 0) {
        sockcount_ = 1;
        seat = 1;
    } else {
        int i = 1;
        while (i <= sockcount_ && players[i].connected)
            ++i;
        if (i > sockcount_) i = sockcount_;
        if (!players[i].connected) {
            seat = i;
        } else if (i + 1 > kSeats) {
            log(QString("refused a connection from %1: the game is full")
                    .arg(listener->peerAddress()));
            sock->Send(protocol::build(Msg::full));
            delete sock;
            return;
        } else {
            seat = ++sockcount_;
        }
    }
    tplayer& p = players[seat];
    p.connected = true;
    p.sock = sock;
    framers[seat] = MessageFramer();
    sock->setTag(seat);
    sock->setOutputLimit(kOutputLimit);
    sock->OnDisconnect = [this](TSock* s) { tempsockDisconnect(s); };
    sock->OnInfo = [this](TSock* s, TSocketInfo info, const QString& text) {
        tempsockInfo(s, info, text);
    };
    sock->OnRead = [this](TSock* s, int count) { Sock1Read(s, count); };
    log(QString("seat %1: connection from %2").arg(seat).arg(listener->peerAddress()));
    sendTo(seat, protocol::build(Msg::sendlogininfo, {seat}));
}

void TServer::Sock1Read(TSock* sender, int) {
    const int seat = sender->Tag();
    if (!inRange(seat, 1, kSeats) || players[seat].sock != sender) return;
    qsizetype waiting = 0;
    for (const Received& r : receivedlist.items())
        if (r.from == sender) ++waiting;
    bool flooding = false;
    const bool framed = framers[seat].feed(sender->Receive(), [&](const QByteArray& message) {
        if (flooding) return;
        if (++waiting > kMaxWaiting) {
            flooding = true;
            return;
        }
        receivedlist.push({message, sender});
    });
    if (!framed || flooding) {
        log(QString("seat %1: %2, closing the connection")
                .arg(seat)
                .arg(flooding ? "more than 100 messages waiting"
                              : "an unfinished message over 64 KiB"));
        sender->Close();
    }
}

void TServer::tempsockDisconnect(TSock* sender) {
    const int seat = sender->Tag();
    if (inRange(seat, 1, kSeats) && players[seat].connected && players[seat].sock == sender)
        sender->Close();
}

void TServer::tempsockInfo(TSock* sender, TSocketInfo, const QString& text) {
    if (text != "Socket Closed") return;
    const int seat = sender->Tag();
    if (!inRange(seat, 1, kSeats)) return;
    tplayer& p = players[seat];
    // A socket that no longer holds the seat (its second report) changes nothing.
    if (p.sock != sender && p.sock != nullptr) return;
    if (p.connected) {
        log(QString("seat %1: %2 left").arg(seat).arg(p.name.isEmpty() ? "a connection" : p.name));
        const QByteArray gone = protocol::build(Msg::playerdisconnected, {seat, p.name});
        p.connected = false;  // everybody else is told, the leaver is not
        sendToAll(gone);
    }
    p.connected = false;
    p.name.clear();
    p.justwatching = false;
    if (p.sock) {
        p.sock->deleteLater();
        p.sock = nullptr;
    }
    if (gameon_ && currentplayer_ == seat) {
        if (seat == 2) {
            computerticks_ = 0;
            if (!computerplay.isActive()) computerplay.start();
        } else {
            // Seat 1 too: on a host without a window the game goes on without it.
            findplayer();
        }
    }
}

void TServer::disconnectsock(int seat) {
    if (inRange(seat, 1, kSeats) && players[seat].connected && players[seat].sock)
        players[seat].sock->Close();
}

// ---- the queue ------------------------------------------------------------------

void TServer::socktimerTimer(Received& item) {
    const protocol::Split parts = protocol::split(item.message);
    if (parts.command.isEmpty()) return;
    const protocol::MessageDef* def =
        protocol::find(parts.command, protocol::Direction::ClientToHost);
    if (!def) return;
    try {
        // Every request names its seat first; only that seat's own connection may speak for it.
        const int seat = protocol::toNumber(Fields(def->id, parts.args).raw(0));
        if (!inRange(seat, 1, kSeats) || !item.from || players[seat].sock != item.from ||
            !players[seat].connected) {
            log(QString("dropped %1 for seat %2: not that connection's seat")
                    .arg(def->command)
                    .arg(seat));
            return;
        }
        dispatch(*def, seat, parts.args);
    } catch (const std::exception& e) {
        log(QString("dropped %1: %2").arg(QString::fromLatin1(parts.command)).arg(e.what()));
    }
}

void TServer::dispatch(const protocol::MessageDef& def, int seat, const QByteArray& args) {
    const Fields f(def.id, args);
    switch (def.id) {
        case Msg::logininfo:
            receivedlogininfo(args);
            return;
        case Msg::chatRequest:
            chat(seat, f.raw(1));
            return;
        case Msg::actionRequest:
            action(seat, f.raw(1));
            return;
        default:
            break;
    }
    // The game requests come only from the four player seats.
    if (!inRange(seat, 1, kPlayerSeats)) {
        log(QString("dropped %1 from seat %2: not a player seat").arg(def.command).arg(seat));
        return;
    }
    switch (def.id) {
        case Msg::startgameRequest:
            // Only the hosting player's window offers the start commands.
            if (seat != 1) {
                log(QString("dropped CMD_startgame from seat %1: only seat 1 starts games")
                        .arg(seat));
                return;
            }
            startgame(seat, f.raw(1));
            break;
        case Msg::throwdarts:
            throwdarts(seat);
            break;
        case Msg::placediceRequest: {
            const int die = f.number(1), dart = f.number(2), position = f.number(3);
            if (!inRange(die, 1, rules::kDice) || !inRange(dart, 1, rules::kDarts) ||
                !inRange(position, 1, rules::kPositions)) {
                log(QString("dropped CMD_placedice from seat %1: out of range").arg(seat));
                return;
            }
            placedice(seat, die, dart, position);
            break;
        }
        case Msg::autoplace:
            autoplace(seat);
            break;
        case Msg::justwatch:
            justwatch(seat, f.raw(1));
            break;
        default:
            break;
    }
}

void TServer::receivedlogininfo(const QByteArray& args) {
    Fields f(Msg::logininfo, args);
    const int seat = f.number(0);
    const QByteArray version = f.raw(1);
    const QString name = cleanName(f.text(2));
    players[seat].name = name;
    players[seat].connected = true;
    log(QString("seat %1: %2 logged in").arg(seat).arg(name));
    sendToAll(protocol::build(Msg::newplayerinfo, {seat, name}));
    for (int j = 1; j <= sockcount_; ++j)
        if (j != seat && players[j].connected)
            sendTo(seat, protocol::build(Msg::existingplayers, {j, players[j].name}));
    if (version != protocol::kVersion) {
        if (players[1].connected) sendTo(1, protocol::build(Msg::havewrongversion, {name}));
        sendTo(seat, protocol::build(Msg::wrongversion));
    }
    if (!gameon_) return;
    for (int p = 1; p <= kPlayerSeats; ++p) {
        if (!players[p].connected && p != 2) continue;
        for (int n = rules::kLowestNumber; n <= rules::kBull; ++n)
            sendTo(seat,
                   protocol::build(Msg::loadboard, {p, n, players[p].mark(n), players[p].score}));
    }
    // Taking the seat whose turn it is (seat 2 while the computer's throw waits):
    // tell the newcomer the turn is its own, or the game would wait for ever.
    if (currentplayer_ == seat) sendTo(seat, protocol::build(Msg::nextplayer, {seat}));
}

// ---- the game ----------------------------------------------------------------------

rules::Table TServer::table() {
    rules::Table t;
    std::array<bool, kPlayerSeats> connected{};
    for (int seat = 1; seat <= kPlayerSeats; ++seat) {
        t.cards[seat - 1] = &players[seat];
        connected[seat - 1] = players[seat].connected;
    }
    t.takingPart = rules::takingPart(connected);
    return t;
}

bool TServer::isAutomatic(int seat) const {
    return !players[seat].connected || players[seat].justwatching;
}

QString TServer::seatName(int seat) const {
    return seat == 2 && !players[2].connected ? QString("Vuzi") : players[seat].name;
}

void TServer::startgame(int seat, const QByteArray& flag) {
    rules::clearit1(table());
    for (int s = 1; s <= kPlayerSeats; ++s)
        players[s].justwatching = false;
    bool everyone = true;
    for (int s = 1; s <= kPlayerSeats; ++s)
        everyone = everyone && players[s].connected;
    teamgame_ = flag == "t" && everyone;
    sendToAll(protocol::build(Msg::startgameAnnouncement, {seat, QString(teamgame_ ? "t" : "n")}));
    gameon_ = true;
    currentplayer_ = 1 + rng::randomBelow(4);
    if (currentplayer_ == 3 && !players[3].connected) currentplayer_ = 1;
    log(QString("seat %1 started a %2game").arg(seat).arg(teamgame_ ? "team " : ""));
    findplayer();
}

void TServer::findplayer() {
    turn_.reset();
    do {
        currentplayer_ = currentplayer_ % kPlayerSeats + 1;
    } while (currentplayer_ != 2 && !players[currentplayer_].connected);
    tplayer& p = players[currentplayer_];
    p.placed = 0;
    p.mustthrow = true;
    sendToPlayers(protocol::build(Msg::nextplayer, {currentplayer_}));
    if (isAutomatic(currentplayer_)) {
        computerticks_ = 0;
        // A timer already running keeps its rhythm.
        if (!computerplay.isActive()) computerplay.start();
    } else {
        computerplay.stop();
    }
}

void TServer::throwdarts(int seat) {
    roll(turn_);
    std::vector<protocol::Value> values;
    for (int value : turn_.dice)
        values.emplace_back(value);
    sendToAll(protocol::build(Msg::thedart, values));
    players[seat].mustthrow = false;
    if (isAutomatic(seat)) autoplace(seat);
}

void TServer::placedice(int seat, int die, int dart, int position) {
    if (seat != currentplayer_) return;
    std::optional<std::string> text = rules::placedice(turn_, die, dart, position);
    if (!text) return;
    tplayer& p = players[seat];
    ++p.placed;
    sendToAll(protocol::build(Msg::placediceAnnouncement,
                              {seat, QString::fromStdString(*text), die, dart, position}));
    if (p.placed == rules::kDice) endturn(seat);
}

void TServer::autoplace(int seat) {
    if (seat != currentplayer_) return;
    for (const rules::Placement& step : rules::autoplace(turn_))
        placedice(seat, step.die, step.dart, step.position);
}

void TServer::endturn(int seat) {
    const rules::Table t = table();
    rules::applyDarts(turn_, seat, t);
    auto endMessage = [this](int s) {
        return protocol::build(
            Msg::endturn,
            {s, players[s].score, QString::fromStdString(turn_.dart(1)),
             QString::fromStdString(turn_.dart(2)), QString::fromStdString(turn_.dart(3))});
    };
    sendToAll(endMessage(seat));
    if (teamgame_) {
        rules::shareCard(seat, t);
        sendToAll(endMessage(players[seat].partner));
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
    log(QString("%1 won").arg(winner));
    sendToAll(protocol::build(Msg::winner, {winner}));
}

void TServer::justwatch(int seat, const QByteArray& onOff) {
    tplayer& p = players[seat];
    if (onOff == "2") {
        p.justwatching = false;
        sendToAll(protocol::build(Msg::justwatching, {seat, QString("2")}));
    } else if (onOff == "1") {
        p.justwatching = true;
        sendToAll(protocol::build(Msg::justwatching, {seat, QString("1")}));
        if (currentplayer_ != seat) return;
        if (p.mustthrow)
            throwdarts(seat);
        else
            autoplace(seat);
    }
}

void TServer::chat(int seat, const QByteArray& text) {
    sendToAll(protocol::build(Msg::chatAnnouncement,
                              {players[seat].name + " chats: " + wiretext::decode(text)}));
}

void TServer::action(int seat, const QByteArray& text) {
    sendToAll(protocol::build(Msg::actionAnnouncement,
                              {players[seat].name + " " + wiretext::decode(text)}));
}

void TServer::computerplayTimer() {
    ++computerticks_;
    if (currentplayer_ != 0 && computerticks_ == 2 && isAutomatic(currentplayer_)) {
        throwdarts(currentplayer_);
    } else if (currentplayer_ == 0 || computerticks_ >= 2) {
        // No automatic turn waits: an idle host keeps no timer running. Every turn
        // that needs the computer starts the timer again.
        computerplay.stop();
    }
}

// ---- sending ---------------------------------------------------------------------------

void TServer::sendTo(int seat, const QByteArray& message) {
    TSock* sock = players[seat].sock;
    if (players[seat].connected && sock && sock->hasHandle()) sock->Send(message);
}

void TServer::sendToAll(const QByteArray& message) {
    for (int seat = 1; seat <= sockcount_; ++seat)
        sendTo(seat, message);
}

void TServer::sendToPlayers(const QByteArray& message) {
    for (int seat = 1; seat <= kPlayerSeats; ++seat)
        sendTo(seat, message);
}
