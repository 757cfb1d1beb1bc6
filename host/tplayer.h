#pragma once

#include <QString>

#include "host/rules.h"

class TSock;

// One seat of the host's seat table. Its card (marks and score) is the rules' Card.
struct tplayer : rules::Card {
    QString name;            // from the login; empty while the seat is free
    bool connected = false;  // a client connection occupies the seat
    TSock* sock = nullptr;   // that connection; its tag holds the seat number
    int placed = 0;          // dice placed in the current turn
    bool justwatching = false;
    int partner = 0;
    bool mustthrow = false;  // the current turn has not been thrown yet
};
