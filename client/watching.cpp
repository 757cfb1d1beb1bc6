#include "client/watching.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

#include "client/tchat.h"
#include "client/tspylist.h"
#include "client/windows.h"
#include "host/tserver.h"
#include "net/protocol.h"
#include "net/tsock.h"

using protocol::Fields;
using protocol::Msg;

Watching::Watching(Tchat& window) : w_(window) {
    QObject::connect(w_.JustWatch1, &QAction::triggered, &w_,
                     [this](bool checked) { JustWatch1Click(checked); });
    QObject::connect(w_.RemoveFromGame1, &QAction::triggered, &w_,
                     [this] { RemoveFromGame1Click(); });
    for (int seat = 1; seat <= 4; ++seat) {
        QLabel* label = w_.control<QLabel>("label_playername", seat);
        label->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(
            label, &QWidget::customContextMenuRequested, &w_,
            [this, seat](const QPoint& at) { label_playername1ContextPopup(seat, at); });
    }
}

void Watching::connectSpyList() {
    w_.windows().spylist->onRemove = [this](int seat) { remove(seat); };
}

void Watching::JustWatch1Click(bool checkedByTheClick) {
    // The mark shows what the host confirmed, so the click's own toggle is undone.
    const bool watching = !checkedByTheClick;
    w_.JustWatch1->setChecked(watching);
    const ClientState& st = w_.state();
    if (!st.loggedin || st.myseat < 1 || st.myseat > 4) return;
    w_.sock->Send(protocol::build(Msg::justwatch, {st.myseat, QString(watching ? "2" : "1")}));
}

void Watching::justwatching(const QByteArray& data) {
    Fields f(Msg::justwatching, data);
    const int seat = f.number(0);
    if (seat < 1 || seat > 4) return;  // spies have no eyes to show
    const bool watching = f.raw(1) == "1";
    if (seat == w_.state().myseat) w_.JustWatch1->setChecked(watching);
    const QString name = w_.control<QLabel>("label_playername", seat)->text();
    w_.addlinetochat(name + (watching ? " is just watching" : " now playing again"),
                     Tchat::watchingColour());
    w_.control<QWidget>("image_eyes", seat)->setVisible(watching);
}

void Watching::label_playername1ContextPopup(int seat, const QPoint& at) {
    QLabel* label = w_.control<QLabel>("label_playername", seat);
    const QString name = label->text();
    w_.RemoveFromGame1->setEnabled(w_.state().ishost && name != "Vuzi" && name != "<Waiting>");
    popupSeat_ = seat;
    w_.popup_kick->popup(label->mapToGlobal(at));
}

void Watching::RemoveFromGame1Click() {
    remove(popupSeat_);
}

void Watching::remove(int seat) {
    // Only the copy that runs the host can; a seat that has gone changes nothing.
    if (w_.state().ishost) w_.windows().server->disconnectsock(seat);
}
