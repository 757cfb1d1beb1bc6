#include "app/bot.h"

#include "net/protocol.h"
#include "net/tsock.h"

using protocol::Fields;
using protocol::Msg;

namespace {
constexpr int kTickMs = 1;
}

Bot::Bot(Options options, std::FILE* out)
    : options_(std::move(options)),
      out_(out),
      queue_(kTickMs, [this](QByteArray& line) { handle(line); }) {
    names_[2] = "Vuzi";
}

Bot::~Bot() {
    // The connection closes with the bot; its reports have nobody to reach.
    if (sock_) sock_->OnInfo = nullptr;
}

void Bot::print(const QString& line) {
    std::fprintf(out_, "%s\n", qPrintable(line));
    std::fflush(out_);
}

void Bot::run() {
    sock_ = new TSock(this);
    sock_->setHostName(options_.host);
    sock_->setPortName(QString::number(options_.port));
    sock_->OnRead = [this](TSock* s, int) {
        if (!framer_.feed(s->Receive(), [this](const QByteArray& m) { queue_.push(m); }))
            end(ConnectionLost, "the host sent an endless message");
    };
    sock_->OnInfo = [this](TSock*, TSocketInfo kind, const QString& text) {
        if (kind == TSocketInfo::siError && !sock_->Connected())
            end(CannotConnect, QString("cannot connect to %1:%2: %3")
                                   .arg(options_.host)
                                   .arg(options_.port)
                                   .arg(text));
        else if (text == "Socket Closed")
            end(ConnectionLost, "lost the connection to the host");
    };
    try {
        sock_->Open();
    } catch (const ESockException& e) {
        end(CannotConnect, QString("cannot connect to %1:%2: %3")
                               .arg(options_.host)
                               .arg(options_.port)
                               .arg(e.what()));
    }
}

void Bot::end(Outcome outcome, const QString& why) {
    if (outcome_ != Running) return;
    outcome_ = outcome;
    if (!why.isEmpty()) std::fprintf(stderr, "quivelo-bot: %s\n", qPrintable(why));
    emit finished(outcome);
}

void Bot::send(const QByteArray& message) {
    if (sock_ && sock_->hasHandle()) sock_->Send(message);
}

QString Bot::seatName(int seat) const {
    QString name = seat >= 1 && seat <= 9 ? names_[size_t(seat)] : QString();
    return name.isEmpty() ? QString("seat %1").arg(seat) : name;
}

void Bot::handle(const QByteArray& line) {
    if (outcome_ != Running) return;
    const protocol::Split parts = protocol::split(line);
    const protocol::MessageDef* def =
        protocol::find(parts.command, protocol::Direction::HostToClient);
    if (!def) return;
    try {
        const Fields f(def->id, parts.args);
        switch (def->id) {
            case Msg::sendlogininfo:
                myseat_ = f.number(0);
                send(protocol::build(Msg::logininfo,
                                     {myseat_, QString(protocol::kVersion), options_.name}));
                break;
            case Msg::full:
                end(GameFull, "the game is full");
                break;
            case Msg::newplayerinfo:
            case Msg::existingplayers: {
                const int seat = f.number(0);
                if (seat >= 1 && seat <= 9) names_[size_t(seat)] = f.text(1);
                if (seat != myseat_) print(QString("seat %1: %2").arg(seat).arg(f.text(1)));
                if (def->id == Msg::newplayerinfo && seat == myseat_) {
                    print(QString("%1 sits in seat %2").arg(options_.name).arg(myseat_));
                    if (myseat_ == 1 && !options_.start.isEmpty())
                        send(protocol::build(Msg::startgameRequest, {1, QString(options_.start)}));
                }
                break;
            }
            case Msg::playerdisconnected: {
                const int seat = f.number(0);
                if (seat >= 1 && seat <= 9) names_[size_t(seat)] = seat == 2 ? "Vuzi" : QString();
                break;
            }
            case Msg::startgameAnnouncement:
                print(QString("%1 started a %2game")
                          .arg(seatName(f.number(0)), f.raw(1) == "t" ? "team " : ""));
                break;
            case Msg::nextplayer:
                if (f.number(0) == myseat_ && rolledUnfinished_) {
                    // Back in a seat whose turn was already thrown: finish it.
                    send(protocol::build(Msg::autoplace, {myseat_}));
                } else if (f.number(0) == myseat_) {
                    thrown_ = true;
                    send(protocol::build(Msg::throwdarts, {myseat_}));
                }
                rolledUnfinished_ = false;
                break;
            case Msg::thedart:
                rolledUnfinished_ = true;
                if (thrown_) {
                    thrown_ = false;
                    send(protocol::build(Msg::autoplace, {myseat_}));
                }
                break;
            case Msg::endturn: {
                rolledUnfinished_ = false;
                const int seat = f.number(0);
                print(QString("seat %1 (%2): darts %3 %4 %5, score %6")
                          .arg(seat)
                          .arg(seatName(seat), f.text(2), f.text(3), f.text(4))
                          .arg(f.number(1)));
                break;
            }
            case Msg::winner:
                print(QString("winner: %1").arg(f.text(0)));
                if (++gamesPlayed_ >= options_.games) {
                    end(Done);
                } else if (myseat_ == 1 && !options_.start.isEmpty()) {
                    send(protocol::build(Msg::startgameRequest, {1, QString(options_.start)}));
                }
                break;
            default:
                break;
        }
    } catch (const protocol::ProtocolError& e) {
        std::fprintf(stderr, "quivelo-bot: dropped %s: %s\n", line.constData(), e.what());
    }
}
