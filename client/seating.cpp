#include "client/seating.h"

#include <QAction>
#include <QLabel>

#include "client/diceboard.h"
#include "client/scorecards.h"
#include "client/settings.h"
#include "client/tchat.h"
#include "client/tspylist.h"
#include "client/windows.h"
#include "net/protocol.h"
#include "net/tsock.h"
#include "platform/messagebox.h"

using protocol::Fields;
using protocol::Msg;

namespace {

bool isPlayerSeat(int seat) {
    return seat >= 1 && seat <= 4;
}

QString spyEntry(int seat, const QString& name) {
    return QString("%1: %2").arg(seat).arg(name);
}

}  // namespace

Seating::Seating(Tchat& window) : w_(window) {
    w_.sock->OnInfo = [this](TSock* s, TSocketInfo info, const QString& text) {
        sockInfo(s, info, text);
    };
}

void Seating::notice(const QString& text) {
    w_.addlinetochat(text, Tchat::systemColour());
}

void Seating::sendloginfo(const QByteArray& seatText) {
    ClientState& st = w_.state();
    st.myseat = protocol::toNumber(Fields(Msg::sendlogininfo, seatText).raw(0));
    st.loggedin = true;
    w_.sock->Send(
        protocol::build(Msg::logininfo, {st.myseat, QString(protocol::kVersion), st.loginname}));
}

void Seating::newplayerinfo(const QByteArray& data) {
    Fields f(Msg::newplayerinfo, data);
    const int seat = f.number(0);
    const QString name = f.text(1);
    if (seat < 1) return;  // names no seat: nothing to show
    ClientState& st = w_.state();
    if (seat == st.myseat) {
        // The host may have changed the name (wire encoding, cleaning, making it
        // unique); the turn display compares with the name as the host knows it.
        st.myname = name;
        notice("You are Connected.");
        w_.settings().loadinifile();
    } else {
        notice(name + " is Connected.");
    }
    if (!isPlayerSeat(seat)) {
        if (Tspylist* spies = w_.windows().spylist) spies->addSpy(spyEntry(seat, name));
        notice(seat == st.myseat ? QString("You are spying.") : name + " is spying.");
    } else {
        auto* label = w_.control<QLabel>("label_playername", seat);
        label->setText(name);
        label->show();
        w_.control<QWidget>("label_score", seat)->show();
        w_.control<QWidget>("stringgrid_player", seat)->show();
    }
    w_.loadchecklist();
}

void Seating::playerdisconnected(const QByteArray& data) {
    Fields f(Msg::playerdisconnected, data);
    const int seat = f.number(0);
    const QString name = f.text(1);
    ClientState& st = w_.state();
    if (seat == st.myseat) {
        st.loggedin = false;
        w_.close();
    }
    if (seat < 1) return;
    if (!isPlayerSeat(seat)) {
        Tspylist* spies = w_.windows().spylist;
        if (spies && spies->removeSpy(spyEntry(seat, name))) notice(name + " has left.");
    } else {
        auto* label = w_.control<QLabel>("label_playername", seat);
        const QString caption = label->text();
        if (caption != "<Waiting>" && caption != "Vuzi") notice(caption + " disconnected.");
        label->setText(seat == 2 ? "Vuzi" : "<Waiting>");
        w_.control<QWidget>("image_eyes", seat)->hide();
    }
    w_.loadchecklist();
}

void Seating::loadboard(const QByteArray& data) {
    Fields f(Msg::loadboard, data);
    const int seat = f.number(0);
    const int number = f.number(1);
    const int marks = f.number(2);
    if (!isPlayerSeat(seat) || number < 15 || number > 21) return;
    w_.state().cardmarks[seat - 1][number - 15] = qBound(0, marks, 3);
    w_.control<QLabel>("label_score", seat)->setText(f.text(3));
    w_.scorecards().redraw(seat);
}

void Seating::full() {
    platform::messageBox("Game is full");
    w_.close();
}

void Seating::havewrongversion(const QByteArray& data) {
    notice(Fields(Msg::havewrongversion, data).text(0) +
           " has a different version of the game then you.");
}

void Seating::wrongversion() {
    notice("You have a different version then the host.");
}

void Seating::clearall() {
    ClientState& st = w_.state();
    for (auto& seat : st.cardmarks)
        seat.fill(0);
    for (int n = 1; n <= 4; ++n)
        w_.control<QWidget>("image_eyes", n)->hide();
    w_.JustWatch1->setChecked(false);
    for (int n = 1; n <= 4; ++n) {
        w_.scorecards().redraw(n);
        w_.control<QLabel>("label_score", n)->setText("0");
    }
    w_.diceboard().cleardarts();  // also hides the thrown darts
}

void Seating::sockInfo(TSock*, TSocketInfo, const QString& text) {
    if (text == "Socket Closed") w_.close();
}
