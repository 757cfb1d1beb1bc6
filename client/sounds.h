#pragma once

#include <QString>

#include "platform/soundplayer.h"

class Tchat;

// The dice rattle under "Play Non-Voice Sounds", every spoken call under "Play
// Voice Sounds".
class Sounds {
  public:
    explicit Sounds(Tchat& window);

    void playsounds(const QString& name);

  private:
    Tchat& w_;
    platform::SoundPlayer player_;
};
