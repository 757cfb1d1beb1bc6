#include "client/diceboard.h"

#include <QLabel>

#include "client/imagelists.h"
#include "client/scorecards.h"
#include "client/seating.h"
#include "client/sounds.h"
#include "client/tchat.h"
#include "client/windows.h"
#include "host/random.h"
#include "net/protocol.h"
#include "net/tsock.h"
#include "platform/messagebox.h"
#include "tally/ttallylist.h"
#include "ui/picturebox.h"

using protocol::Fields;
using protocol::Msg;

namespace {

// Each die keeps to its own column and band of the panel; the rest is chance.
constexpr std::array<int, 12> kColumnFactor = {6, 4, 5, 1, 2, 8, 3, 6, 7, 7, 5, 2};
constexpr std::array<bool, 12> kUpperBand = {true, false, true, false, true,  false,
                                             true, false, true, false, false, false};

// Where the dart picture sits on the dartboard for the numbers 1 to 20.
constexpr std::array<QPoint, 20> kNumberPlaces = {
    QPoint(130, 44),  QPoint(148, 150), QPoint(114, 166), QPoint(164, 66), QPoint(90, 44),
    QPoint(173, 109), QPoint(78, 156),  QPoint(54, 124),  QPoint(58, 68),  QPoint(172, 127),
    QPoint(49, 114),  QPoint(74, 53),   QPoint(171, 92),  QPoint(51, 91),  QPoint(164, 144),
    QPoint(62, 140),  QPoint(132, 162), QPoint(145, 62),  QPoint(94, 162), QPoint(113, 44)};
constexpr QPoint kBullPlace(115, 107);
constexpr QPoint kDoubleBullPlace(110, 111);

bool inRange(int v, int low, int high) {
    return v >= low && v <= high;
}

}  // namespace

DiceBoard::DiceBoard(Tchat& window) : w_(window) {
    for (int i = 1; i <= 12; ++i)
        w_.control<ui::PictureBox>("image_dice", i)->onMouseDown = [this, i](Qt::MouseButton b) {
            image_dice1MouseDown(i, b);
        };
    w_.control<ui::PictureBox>("button_throwdarts")->onClick = [this] { button_throwdartsClick(); };
    w_.control<ui::PictureBox>("button_autoplace")->onClick = [this] { button_autoplaceClick(); };
}

QString DiceBoard::caption(int seat) const {
    return inRange(seat, 1, 4) ? w_.control<QLabel>("label_playername", seat)->text() : QString();
}

void DiceBoard::requestStart(const char* kind) {
    const ClientState& st = w_.state();
    if (!st.loggedin) {
        platform::messageBox("You are not connected");
        return;
    }
    w_.sock->Send(protocol::build(Msg::startgameRequest, {st.myseat, QString(kind)}));
}

void DiceBoard::StartGame1Click() {
    requestStart("n");
}

void DiceBoard::StartTeamGame1Click() {
    requestStart("t");
}

void DiceBoard::startthegame(const QByteArray& data) {
    Fields f(Msg::startgameAnnouncement, data);
    const int seat = f.number(0);
    throws_ = 0;
    rolledBeforeTurn_ = false;
    w_.control<QLabel>("label_round")->setText("Throws: 0");
    w_.control<QWidget>("panel_winner")->hide();
    w_.seating().clearall();
    w_.addlinetochat(
        caption(seat) + (f.raw(1) == "t" ? " has started a TEAM game." : " has started a game."),
        Tchat::systemColour());
    auto* second = w_.control<QLabel>("label_playername", 2);
    if (second->text() == "<Waiting>") second->setText("Vuzi");
    w_.loadchecklist();
}

void DiceBoard::getnextplayer(const QByteArray& data) {
    const int seat = Fields(Msg::nextplayer, data).number(0);
    if (!inRange(seat, 1, 4)) return;
    ClientState& st = w_.state();
    const bool thrownAlready = rolledBeforeTurn_ && st.turnseat == 0;
    rolledBeforeTurn_ = false;
    st.turnseat = seat;
    if (seat == st.myseat) {
        ++throws_;
        w_.control<QLabel>("label_round")->setText(QString("Throws: %1").arg(throws_));
    }
    const QString mover = caption(seat);
    auto* turn = w_.control<QLabel>("label_turn");
    auto* throwButton = w_.control<QWidget>("button_throwdarts");
    // Names, not seats, decide: a player whose turn the host plays still sees his turn.
    auto* autoplaceButton = w_.control<QWidget>("button_autoplace");
    if (mover == st.myname) {
        turn->setText("Your Turn.");
        throwButton->setVisible(!thrownAlready);
        autoplaceButton->setVisible(thrownAlready);
    } else {
        turn->setText(mover + "'s turn.");
        throwButton->hide();
        autoplaceButton->hide();
    }
}

void DiceBoard::button_throwdartsClick() {
    cleardarts();
    w_.sock->Send(protocol::build(Msg::throwdarts, {w_.state().myseat}));
    w_.control<QWidget>("button_throwdarts")->hide();
    w_.control<QWidget>("button_autoplace")->show();
}

void DiceBoard::button_autoplaceClick() {
    const ClientState& st = w_.state();
    if (st.turnseat == st.myseat && st.loggedin)
        w_.sock->Send(protocol::build(Msg::autoplace, {st.myseat}));
}

void DiceBoard::placeDie(int die) {
    const QWidget* panel = w_.control<QWidget>("panel_dicepanel");
    const int W = panel->width(), H = panel->height();
    const size_t i = size_t(die - 1);
    const int left = 106 + kColumnFactor[i] * ((W - 170) / 8) + rng::randomBelow(10);
    const int row = kUpperBand[i] ? 1 + rng::randomBelow(3) : 4 + rng::randomBelow(4);
    const int top = row * (H / 7) - 32 + rng::randomBelow(8);
    w_.control<QWidget>("image_dice", die)->move(left, top);
}

void DiceBoard::loaddice(const QByteArray& data) {
    Fields f(Msg::thedart, data);
    if (w_.state().turnseat == 0) rolledBeforeTurn_ = true;
    cleardarts();
    w_.control<QWidget>("button_throwdarts")->hide();
    for (int i = 1; i <= 12; ++i)
        w_.control<QWidget>("image_dice", i)->hide();
    const ImageList& faces = w_.imageLists().imagelist_dice;
    for (int i = 1; i <= 12 && i <= f.count(); ++i) {
        const int v = f.number(i - 1);
        auto* die = w_.control<ui::PictureBox>("image_dice", i);
        die->setPicture(faces.at(inRange(v, 1, 6) ? v : 0));
        placeDie(i);
        die->show();
        die->raise();
        clickable_[size_t(i - 1)] = true;
    }
    w_.sounds().playsounds("dice1");
}

void DiceBoard::cleardarts() {
    clickable_.fill(false);
    occupied_.fill(false);
    for (int d = 1; d <= 3; ++d) {
        w_.control<QLabel>("label_dart", d)->setText("0");
        w_.control<QWidget>("image_throwndart", d)->hide();
    }
}

void DiceBoard::image_dice1MouseDown(int die, Qt::MouseButton button) {
    if (!clickable(die)) return;
    const ClientState& st = w_.state();
    if (st.turnseat != st.myseat) return;
    int slot = 0;
    while (slot < 12 && occupied_[size_t(slot)])
        ++slot;
    if (slot < 12 && st.loggedin)
        w_.sock->Send(
            protocol::build(Msg::placediceRequest, {st.myseat, die, slot / 4 + 1, slot % 4 + 1}));
    if (button == Qt::MiddleButton) button_autoplaceClick();
}

QPoint DiceBoard::throwndartPlace(const QString& value) {
    if (value.compare("bull", Qt::CaseInsensitive) == 0) return kBullPlace;
    if (value.compare("dbull", Qt::CaseInsensitive) == 0) return kDoubleBullPlace;
    bool isNumber = false;
    const int v = value.toInt(&isNumber);
    return isNumber && inRange(v, 1, 20) ? kNumberPlaces[size_t(v - 1)] : kBullPlace;
}

void DiceBoard::placedice(const QByteArray& data) {
    Fields f(Msg::placediceAnnouncement, data);
    const int seat = f.number(0);
    const QString value = f.text(1);
    const int die = f.number(2), d = f.number(3), k = f.number(4);
    if (!inRange(die, 1, 12) || !inRange(d, 1, 3) || !inRange(k, 1, 4)) return;
    if (k == 4) w_.scorecards().postscore(seat, value);
    w_.control<QLabel>("label_dart", d)->setText(value);
    w_.control<QWidget>("image_dice", die)
        ->move(w_.control<QWidget>(QString("dart%1dice%2").arg(d).arg(k))->pos());
    clickable_[size_t(die - 1)] = false;
    occupied_[size_t((d - 1) * 4 + k - 1)] = true;
    if (k != 4) return;

    auto* thrown = w_.control<QWidget>("image_throwndart", d);
    if (value.compare("bull", Qt::CaseInsensitive) == 0) {
        w_.sounds().playsounds("bull");
    } else if (value.compare("dbull", Qt::CaseInsensitive) == 0) {
        w_.sounds().playsounds("dbull");
        Ttallylist* tally = w_.windows().tallylist;
        if (seat == w_.state().myseat && tally && tally->hasCurrentPlayers()) tally->addit(3, 0);
    } else {
        const int v = protocol::toNumber(f.raw(1));
        if (v < 15)
            w_.sounds().playsounds("miss");
        else if (v <= 20)
            w_.sounds().playsounds(QString("wav%1").arg(v));
    }
    thrown->move(throwndartPlace(value));
    thrown->show();
    thrown->raise();
}
