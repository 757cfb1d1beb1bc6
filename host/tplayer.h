#pragma once

#include <QString>
#include <array>

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
    QString typedname;       // the login name as typed (cleaned), for a rejoin
};

inline constexpr int kSeats = 9;        // 1 to 4 play, 5 to 9 watch
inline constexpr int kPlayerSeats = 4;  // the seats with a card
// Seats 1 to 10; 0 is unused and 10 only ever holds a connection being refused.
using SeatTable = std::array<tplayer, kSeats + 2>;
