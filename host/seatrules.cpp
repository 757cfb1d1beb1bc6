#include "host/seatrules.h"

namespace seatrules {

int chooseSeat(const SeatTable& players, int& sockcount, const std::function<bool(int)>& held) {
    for (int seat = 1; seat <= sockcount; ++seat)
        if (!players[seat].connected && !held(seat)) return seat;
    if (sockcount < kSeats) return ++sockcount;
    for (int seat = 1; seat <= sockcount; ++seat)
        if (!players[seat].connected) return seat;
    return 0;
}

QString cleanName(const QString& typed) {
    QString clean;
    clean.reserve(std::min<qsizetype>(typed.size(), kMaxName));
    for (QChar c : typed) {
        if (clean.size() == kMaxName) break;
        if (c.unicode() >= 0x20 && c.unicode() != 0x7F) clean.append(c);
    }
    // Never end on half of a character that takes two.
    if (!clean.isEmpty() && clean.back().isHighSurrogate()) clean.chop(1);
    return clean;
}

QString uniqueName(const QString& clean, int seat, const SeatTable& players) {
    QString name = clean.trimmed().isEmpty() ? QString("Player %1").arg(seat) : clean;
    auto taken = [&](const QString& n) {
        if (n.compare("Vuzi", Qt::CaseInsensitive) == 0) return true;
        for (int other = 1; other <= kSeats; ++other)
            if (other != seat && players[other].connected &&
                players[other].name.compare(n, Qt::CaseInsensitive) == 0)
                return true;
        return false;
    };
    // Each pass gives a longer name, and there are at most eight others to differ from.
    while (taken(name))
        name += QString(" (%1)").arg(seat);
    return name;
}

}  // namespace seatrules
