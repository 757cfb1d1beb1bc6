#pragma once

#include <QDeadlineTimer>
#include <QString>
#include <array>

#include "host/tplayer.h"

// The player seats whose connection dropped during the game, kept for the same
// name to come back to: until the next game starts or for two minutes.
class Rejoin {
  public:
    static constexpr int kHoldMs = 120000;

    void setHoldMs(int ms) { holdMs_ = ms; }
    void remember(int seat, const QString& name);
    void forget(int seat);
    void forgetAll();
    // Whether `seat` is kept for a player to come back to.
    bool held(int seat) const;
    // The kept seat of `name` (letter case ignored), or 0.
    int seatOf(const QString& name) const;

  private:
    struct Kept {
        QString name;
        QDeadlineTimer until;
    };
    std::array<Kept, kPlayerSeats + 1> kept_{};  // by seat; 0 unused
    int holdMs_ = kHoldMs;
};
