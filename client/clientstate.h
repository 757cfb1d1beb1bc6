#pragma once

#include <QString>
#include <array>

// What the client knows about itself and the game. It keeps no authoritative game
// state: the host announces everything, and who sits where is read back from the
// name labels of the main window.
struct ClientState {
    QString myname;       // argument 1, or "You" in a solo game
    QString hostaddress;  // "127.0.0.1" in a solo game, else argument 2
    QString loginname;    // the name sent at login
    bool ishost = false;  // this copy runs the game host
    int myseat = 0;       // 1..4 player, 5..9 watcher; 0 before the login
    bool loggedin = false;
    int turnseat = 0;  // the seat named by the last turn change
    // Marks per seat (index seat - 1) and score-card column (15..20 and the bull).
    std::array<std::array<int, 7>, 4> cardmarks{};
};
