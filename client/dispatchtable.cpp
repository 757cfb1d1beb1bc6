#include "client/dispatchtable.h"

#include "chat/chatreceived.h"
#include "client/diceboard.h"
#include "client/messagequeue.h"
#include "client/scorecards.h"
#include "client/seating.h"
#include "client/tchat.h"
#include "client/watching.h"
#include "net/wiretext.h"

void registerDispatchTable(Tchat& w, ClientQueue& q) {
    Seating& seating = w.seating();
    DiceBoard& board = w.diceboard();
    ScoreCards& cards = w.scorecards();
    auto chatLine = [&w](const QByteArray& d) { chatrecieved(*w.mainchat, wiretext::decode(d)); };
    q.addHandler("CMD_sendlogininfo", [&](const QByteArray& d) { seating.sendloginfo(d); });
    q.addHandler("CMD_chat", chatLine);
    q.addHandler("CMD_action", chatLine);
    q.addHandler("CMD_newplayerinfo", [&](const QByteArray& d) { seating.newplayerinfo(d); });
    q.addHandler("CMD_existingplayers", [&](const QByteArray& d) { seating.newplayerinfo(d); });
    q.addHandler("CMD_playerdisconnected",
                 [&](const QByteArray& d) { seating.playerdisconnected(d); });
    q.addHandler("CMD_startgame", [&](const QByteArray& d) { board.startthegame(d); });
    q.addHandler("CMD_nextplayer", [&](const QByteArray& d) { board.getnextplayer(d); });
    q.addHandler("CMD_thedart", [&](const QByteArray& d) { board.loaddice(d); });
    q.addHandler("CMD_placedice", [&](const QByteArray& d) { board.placedice(d); });
    q.addHandler("CMD_endturn", [&](const QByteArray& d) { cards.endturn(d); });
    q.addHandler("CMD_winner", [&](const QByteArray& d) { cards.winner(d); });
    q.addHandler("CMD_full", [&](const QByteArray&) { seating.full(); });
    q.addHandler("CMD_havewrongversion", [&](const QByteArray& d) { seating.havewrongversion(d); });
    q.addHandler("CMD_wrongversion", [&](const QByteArray&) { seating.wrongversion(); });
    q.addHandler("CMD_loadboard", [&](const QByteArray& d) { seating.loadboard(d); });
    q.addHandler("CMD_justwatching", [&](const QByteArray& d) { w.watching().justwatching(d); });
}
