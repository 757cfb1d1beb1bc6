#include "host/tserver.h"

#include <QTimer>
#include <chrono>

#include "host/seatrules.h"
#include "net/protocol.h"
#include "net/tsock.h"
#include "net/wiretext.h"

using protocol::Fields;
using protocol::Msg;

namespace {

bool inRange(int value, int low, int high) {
    return value >= low && value <= high;
}

qint64 nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

TServer::TServer(QObject* parent)
    : QObject(parent),
      receivedlist(kQueueTickMs,
                   [this](FairQueue::Key from, const QByteArray& m) { socktimerTimer(from, m); }),
      turns(players, {[this](int seat, const QByteArray& m) { sendTo(seat, m); },
                      [this](const QByteArray& m) { sendToAll(m); },
                      [this](const QByteArray& m) { sendToPlayers(m); },
                      [this](const QString& text) { log(text); }}) {
    setObjectName("server");
    for (int seat = 1; seat <= kPlayerSeats; ++seat)
        players[seat].partner = rules::partnerOf(seat);

    Sock1 = new TSock(this);
    Sock1->setObjectName("Sock1");
    Sock1->setPortName("7775");
    Sock1->OnAccept = [this](TSock* listener) { Sock1Accept(listener); };
    loginwatch.setSingleShot(true);
    connect(&loginwatch, &QTimer::timeout, this, &TServer::loginwatchTimer);
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

void TServer::setKeepAlive(int idleS, int intervalS, int probes) {
    keepAlive_ = {idleS, intervalS, probes};
}

// ---- connections ----------------------------------------------------------------

void TServer::Sock1Accept(TSock* listener) {
    TSock* sock = nullptr;
    if (!listener->Accept(sock)) return;  // nothing was seated for it
    const int seat =
        seatrules::chooseSeat(players, sockcount_, [this](int s) { return rejoin.held(s); });
    if (seat == 0) {
        log(QString("refused a connection from %1: the game is full").arg(listener->peerAddress()));
        sock->Send(protocol::build(Msg::full));
        delete sock;
        return;
    }
    tplayer& p = players[seat];
    p.connected = true;
    p.sock = sock;
    p.name.clear();
    links[seat] = Link();
    sock->setTag(seat);
    sock->setOutputLimit(kOutputLimit);
    // A peer that vanished without a close (cable pulled, laptop shut) would
    // otherwise hold its seat, and stall a game, for ever.
    sock->setKeepAlive(keepAlive_[0], keepAlive_[1], keepAlive_[2]);
    sock->OnDisconnect = [this](TSock* s) { tempsockDisconnect(s); };
    sock->OnInfo = [this](TSock* s, TSocketInfo info, const QString& text) {
        tempsockInfo(s, info, text);
    };
    sock->OnRead = [this](TSock* s, int count) { Sock1Read(s, count); };
    links[seat].loginBy = QDeadlineTimer(loginTimeoutMs_);
    armLoginWatch();
    log(QString("seat %1: connection from %2").arg(seat).arg(listener->peerAddress()));
    sendTo(seat, protocol::build(Msg::sendlogininfo, {seat}));
}

void TServer::armLoginWatch() {
    qint64 first = -1;
    for (int seat = 1; seat <= kSeats; ++seat) {
        if (!awaitingLogin(seat) || links[seat].loginBy.isForever()) continue;
        const qint64 left = links[seat].loginBy.remainingTime();
        if (first < 0 || left < first) first = left;
    }
    if (first < 0)
        loginwatch.stop();
    else
        loginwatch.start(int(first));
}

void TServer::loginwatchTimer() {
    for (int seat = 1; seat <= kSeats; ++seat) {
        if (awaitingLogin(seat) && links[seat].loginBy.hasExpired())
            closeFor(players[seat].sock, "no login within 10 s");
    }
    armLoginWatch();
}

void TServer::closeFor(TSock* sock, const QString& why) {
    log(QString("seat %1: %2, closing the connection").arg(sock->Tag()).arg(why));
    sock->Close();
}

void TServer::Sock1Read(TSock* sender, int) {
    const int seat = sender->Tag();
    if (!inRange(seat, 1, kSeats) || players[seat].sock != sender) return;
    bool flooding = false;
    const bool framed = links[seat].framer.feed(sender->Receive(), [&](const QByteArray& message) {
        if (flooding) return;
        if (receivedlist.waiting(sender) >= std::size_t(kMaxWaiting)) {
            flooding = true;
            return;
        }
        receivedlist.push(sender, message);
    });
    if (!framed)
        closeFor(sender, "a message over 64 KiB");
    else if (flooding)
        closeFor(sender, "more than 100 messages waiting");
}

void TServer::tempsockDisconnect(TSock* sender) {
    const int seat = sender->Tag();
    if (inRange(seat, 1, kSeats) && players[seat].connected && players[seat].sock == sender)
        sender->Close();
}

void TServer::tempsockInfo(TSock* sender, TSocketInfo info, const QString& text) {
    const int seat = sender->Tag();
    if (!inRange(seat, 1, kSeats)) return;
    tplayer& p = players[seat];
    // A socket that no longer holds the seat (its second report) changes nothing.
    if (p.sock != sender && p.sock != nullptr) return;
    if (info == TSocketInfo::siError) {
        log(QString("seat %1: %2")
                .arg(seat)
                .arg(text.contains("WSAETIMEDOUT") ? "no answer to keepalive probes"
                                                   : "connection error " + text));
        return;
    }
    if (text != "Socket Closed") return;
    if (sender->overflowed())
        log(QString("seat %1: more than 1 MiB of output waiting, closed").arg(seat));
    keepClosedLines(seat, sender);
    if (p.connected) {
        log(QString("seat %1: %2 left").arg(seat).arg(p.name.isEmpty() ? "a connection" : p.name));
        const QByteArray gone = protocol::build(Msg::playerdisconnected, {seat, p.name});
        p.connected = false;  // everybody else is told, the leaver is not
        sendToAll(gone);
    }
    // A player who drops out of a game may come back to the same seat and card.
    if (turns.gameon() && seat <= kPlayerSeats) rejoin.remember(seat, p.typedname);
    p.connected = false;
    p.name.clear();
    p.typedname.clear();
    p.justwatching = false;
    if (p.sock) {
        p.sock->deleteLater();
        p.sock = nullptr;
    }
    turns.seatLeft(seat);
}

void TServer::keepClosedLines(int seat, TSock* sock) {
    // Requests of play from a closed connection mean nothing any more; its first
    // few chat lines ("See ya!") still reach the others, in a turn of the queue
    // that all closed connections share, so many of them cannot slow the rest.
    int kept = 0;
    for (const QByteArray& message : receivedlist.take(sock)) {
        if (kept == kClosedLinesKept || !loggedIn(seat)) break;
        const protocol::Split parts = protocol::split(message);
        const protocol::MessageDef* def =
            protocol::find(parts.command, protocol::Direction::ClientToHost);
        if (!def || (def->id != Msg::chatRequest && def->id != Msg::actionRequest)) continue;
        try {
            const Fields f(def->id, parts.args);
            if (f.number(0) != seat) continue;
            ++kept;
            if (links[seat].flood.admit(nowMs()) != FloodGate::Verdict::relay) continue;
            if (auto line = relayed(seat, def->id, f.raw(1)))
                receivedlist.pushClosed(*line, kClosedLinesWaiting);
        } catch (const std::exception&) {
            continue;  // a malformed line is lost, as it would have been anyway
        }
    }
}

void TServer::disconnectsock(int seat) {
    if (inRange(seat, 1, kSeats) && players[seat].connected && players[seat].sock)
        players[seat].sock->Close();
}

// ---- the queue ------------------------------------------------------------------

void TServer::socktimerTimer(FairQueue::Key from, const QByteArray& message) {
    if (!from) {  // a line of a closed connection, ready to relay
        sendToAll(message);
        return;
    }
    const protocol::Split parts = protocol::split(message);
    if (parts.command.isEmpty()) return;
    const protocol::MessageDef* def =
        protocol::find(parts.command, protocol::Direction::ClientToHost);
    if (!def) return;
    try {
        // Every request names its seat first; only that seat's own connection may speak for it.
        const int seat = protocol::toNumber(Fields(def->id, parts.args).raw(0));
        if (!inRange(seat, 1, kSeats) || players[seat].sock != from || !players[seat].connected) {
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
            receivedlogininfo(seat, args);
            return;
        case Msg::chatRequest:
        case Msg::actionRequest:
            relay(seat, def.id, f.raw(1));
            return;
        default:
            break;
    }
    // The game requests come only from the four player seats, once logged in.
    if (!inRange(seat, 1, kPlayerSeats) || !loggedIn(seat)) {
        log(QString("dropped %1 from seat %2: not a seated player").arg(def.command).arg(seat));
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
            rejoin.forgetAll();
            turns.startgame(seat, f.raw(1));
            break;
        case Msg::throwdarts:
            if (!turns.throwRequest(seat))
                log(QString("dropped CMD_throwdarts from seat %1: not its throw").arg(seat));
            break;
        case Msg::placediceRequest: {
            const int die = f.number(1), dart = f.number(2), position = f.number(3);
            if (!inRange(die, 1, rules::kDice) || !inRange(dart, 1, rules::kDarts) ||
                !inRange(position, 1, rules::kPositions)) {
                log(QString("dropped CMD_placedice from seat %1: out of range").arg(seat));
                return;
            }
            turns.placedice(seat, die, dart, position);
            break;
        }
        case Msg::autoplace:
            turns.autoplace(seat);
            break;
        case Msg::justwatch:
            turns.justwatch(seat, f.raw(1));
            break;
        default:
            break;
    }
}

// ---- login ------------------------------------------------------------------------

void TServer::receivedlogininfo(int seat, const QByteArray& args) {
    Fields f(Msg::logininfo, args);
    tplayer& p = players[seat];
    if (loggedIn(seat)) {
        log(QString("dropped a second login from seat %1").arg(seat));
        return;
    }
    const QByteArray version = f.raw(1);
    const QString typed = seatrules::cleanName(f.text(2));
    // A player coming back: move the connection to the kept seat first, and ask
    // again there; the answer is an ordinary login into that seat.
    if (const int back = rejoin.seatOf(typed); back != 0 && back != seat) {
        if (!players[back].connected) {
            rejoin.forget(back);
            moveSeat(seat, back);
            log(QString("seat %1: %2 comes back to seat %3").arg(seat).arg(typed).arg(back));
            sendTo(back, protocol::build(Msg::sendlogininfo, {back}));
            return;
        }
    }
    rejoin.forget(seat);
    const QString name = seatrules::uniqueName(typed, seat, players);
    p.name = name;
    p.typedname = typed;
    p.connected = true;
    log(QString("seat %1: %2 logged in").arg(seat).arg(name));
    armLoginWatch();
    sendToAll(protocol::build(Msg::newplayerinfo, {seat, name}));
    for (int j = 1; j <= sockcount_; ++j)
        if (j != seat && players[j].connected)
            sendTo(seat, protocol::build(Msg::existingplayers, {j, players[j].name}));
    if (version != protocol::kVersion) {
        if (players[1].connected) sendTo(1, protocol::build(Msg::havewrongversion, {name}));
        sendTo(seat, protocol::build(Msg::wrongversion));
    }
    if (!turns.gameon()) return;
    for (int s = 1; s <= kPlayerSeats; ++s) {
        if (!players[s].connected && s != 2) continue;
        for (int n = rules::kLowestNumber; n <= rules::kBull; ++n)
            sendTo(seat,
                   protocol::build(Msg::loadboard, {s, n, players[s].mark(n), players[s].score}));
    }
    // Taking the seat whose turn it is: the newcomer sees the dice so far and
    // learns the turn is its own, or the game would wait for ever.
    turns.catchUp(seat);
}

void TServer::moveSeat(int from, int to) {
    tplayer& a = players[from];
    tplayer& b = players[to];
    b.sock = a.sock;
    b.connected = true;
    b.name.clear();
    b.sock->setTag(to);
    links[to] = std::move(links[from]);
    links[from] = Link();
    a.sock = nullptr;
    a.connected = false;
    a.name.clear();
}

// ---- chat ----------------------------------------------------------------------------

void TServer::relay(int seat, Msg id, const QByteArray& text) {
    if (!loggedIn(seat)) {
        log(QString("dropped a chat line from seat %1: not logged in").arg(seat));
        return;
    }
    switch (links[seat].flood.admit(nowMs())) {
        case FloodGate::Verdict::relay:
            break;
        case FloodGate::Verdict::dropAndTell:
            log(QString("seat %1: chat flood, dropping lines").arg(seat));
            sendTo(seat, chatguard::tooManyLines());
            return;
        case FloodGate::Verdict::drop:
            return;
    }
    if (auto line = relayed(seat, id, text)) sendToAll(*line);
}

std::optional<QByteArray> TServer::relayed(int seat, Msg id, const QByteArray& text) {
    const std::optional<QString> clean = chatguard::cleanText(wiretext::decode(text));
    if (!clean) {
        log(QString("dropped a chat line from seat %1: over %2 characters")
                .arg(seat)
                .arg(chatguard::kMaxText));
        return std::nullopt;
    }
    const QString& name = players[seat].name;
    return id == Msg::chatRequest
               ? protocol::build(Msg::chatAnnouncement, {name + " chats: " + *clean})
               : protocol::build(Msg::actionAnnouncement, {name + " " + *clean});
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
