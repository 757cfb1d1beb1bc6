#include "host/rejoin.h"

void Rejoin::remember(int seat, const QString& name) {
    if (seat < 1 || seat > kPlayerSeats || name.isEmpty()) return;
    kept_[seat] = {name, QDeadlineTimer(holdMs_)};
}

void Rejoin::forget(int seat) {
    if (seat >= 1 && seat <= kPlayerSeats) kept_[seat] = {};
}

void Rejoin::forgetAll() {
    kept_.fill({});
}

bool Rejoin::held(int seat) const {
    return seat >= 1 && seat <= kPlayerSeats && !kept_[seat].name.isEmpty() &&
           !kept_[seat].until.hasExpired();
}

int Rejoin::seatOf(const QString& name) const {
    for (int seat = 1; seat <= kPlayerSeats; ++seat)
        if (held(seat) && kept_[seat].name.compare(name, Qt::CaseInsensitive) == 0) return seat;
    return 0;
}
