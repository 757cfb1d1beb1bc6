#pragma once

#include <QString>
#include <functional>

#include "host/tplayer.h"

// Which seat a new connection gets, and the name a login is announced under.
namespace seatrules {

inline constexpr int kMaxName = 24;

// The lowest free seat up to `sockcount`, else a new seat (`sockcount` grows),
// else 0 when all nine are taken. Seats for which `held` is true are given only
// when no other seat is free.
int chooseSeat(const SeatTable& players, int& sockcount, const std::function<bool(int)>& held);

// The typed name without control characters, cut to 24 characters.
QString cleanName(const QString& typed);

// The name `seat` is announced under: its clean name, "Player N" for a blank one,
// with " (N)" added while it equals "Vuzi" or another connected seat's name,
// ignoring letter case. The turn display compares names, so they must differ.
QString uniqueName(const QString& clean, int seat, const SeatTable& players);

}  // namespace seatrules
