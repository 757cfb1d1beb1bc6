#pragma once

#include <QHash>
#include <QString>
#include <functional>

class QSoundEffect;

namespace platform {

// Plays the embedded sounds (":/sounds/NAME.wav") in the background. A sound started
// while another plays replaces it; the caller never waits.
class SoundPlayer {
  public:
    SoundPlayer();
    ~SoundPlayer();

    // Starts the named sound; the name is matched without regard to letter case.
    void play(const QString& name);
    // Whether the named sound is playing now.
    bool isPlaying(const QString& name) const;

    // Where sounds go instead of the sound card (tests record them here); an
    // empty sink plays them again.
    using Sink = std::function<void(const QString& name)>;
    static void setSink(Sink sink);

  private:
    QHash<QString, QSoundEffect*> effects_;
    QSoundEffect* playing_ = nullptr;
};

}  // namespace platform
