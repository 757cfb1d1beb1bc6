#include "client/startup.h"

#include <QAction>

#include "client/tchat.h"
#include "client/tspylist.h"
#include "client/windows.h"
#include "download/tdownload.h"
#include "host/tserver.h"
#include "net/tsock.h"

Startup::Startup(Tchat& window) : w_(window) {}

void Startup::processparams() {
    ClientState& st = w_.state();
    w_.StartGame1->setEnabled(false);
    w_.StartTeamGame1->setEnabled(false);
    st.loginname.clear();
    const QStringList& args = w_.arguments();
    if (args.isEmpty()) {
        w_.addlinetochat("Loading Solo Game..Please wait.", Tchat::startColour());
        if (w_.windows().download) w_.windows().download->show();
        st.hostaddress = "127.0.0.1";
        st.myname = "You";
        hostpress();
        return;
    }
    w_.addlinetochat("Loading Multi-player Game.. Please Wait.", Tchat::startColour());
    if (args.size() < 3) return;
    st.myname = args[0];
    st.hostaddress = args[1];
    if (args[2] == "true")
        hostpress();
    else
        joinpress();
    // The lobby keeps track of its games through this link; nothing is sent on it,
    // and whether it connects does not matter.
    w_.Sock11->Open();
}

void Startup::hostpress() {
    ClientState& st = w_.state();
    TServer* server = w_.windows().server;
    server->startListening(port_);
    st.loginname = st.myname;
    st.ishost = true;
    w_.sock->setHostName("127.0.0.1");
    w_.sock->setPortName(QString::number(server->listeningPort()));
    w_.sock->Open();
    w_.StartTeamGame1->setEnabled(true);
    w_.StartGame1->setEnabled(true);
    if (Tspylist* spies = w_.windows().spylist) spies->enableRemoval(true);
}

void Startup::joinpress() {
    ClientState& st = w_.state();
    st.loginname = st.myname;
    w_.sock->setHostName(st.hostaddress);
    w_.sock->setPortName(QString::number(port_));
    w_.sock->Open();
}
