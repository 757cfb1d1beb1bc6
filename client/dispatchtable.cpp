#include "client/dispatchtable.h"

#include "client/messagequeue.h"
#include "client/seating.h"
#include "client/tchat.h"

void registerDispatchTable(Tchat& w, ClientQueue& q) {
    Seating& seating = w.seating();
    q.addHandler("CMD_sendlogininfo", [&](const QByteArray& d) { seating.sendloginfo(d); });
    q.addHandler("CMD_newplayerinfo", [&](const QByteArray& d) { seating.newplayerinfo(d); });
    q.addHandler("CMD_existingplayers", [&](const QByteArray& d) { seating.newplayerinfo(d); });
    q.addHandler("CMD_playerdisconnected",
                 [&](const QByteArray& d) { seating.playerdisconnected(d); });
    q.addHandler("CMD_full", [&](const QByteArray&) { seating.full(); });
    q.addHandler("CMD_havewrongversion", [&](const QByteArray& d) { seating.havewrongversion(d); });
    q.addHandler("CMD_wrongversion", [&](const QByteArray&) { seating.wrongversion(); });
    q.addHandler("CMD_loadboard", [&](const QByteArray& d) { seating.loadboard(d); });
}
