#include "platform/soundplayer.h"

#include <QSoundEffect>
#include <QUrl>

namespace platform {

namespace {
SoundPlayer::Sink& sink() {
    static SoundPlayer::Sink s;
    return s;
}
}  // namespace

void SoundPlayer::setSink(Sink s) {
    sink() = std::move(s);
}

SoundPlayer::SoundPlayer() = default;

SoundPlayer::~SoundPlayer() {
    qDeleteAll(effects_);
}

bool SoundPlayer::isPlaying(const QString& name) const {
    const QSoundEffect* effect = effects_.value(name.toUpper());
    return effect && effect->isPlaying();
}

void SoundPlayer::play(const QString& name) {
    const QString key = name.toUpper();
    if (sink()) {
        sink()(key);
        return;
    }
    QSoundEffect*& effect = effects_[key];
    if (!effect) {
        effect = new QSoundEffect;
        effect->setSource(QUrl("qrc:/sounds/" + key + ".wav"));
    }
    if (playing_ && playing_ != effect) playing_->stop();
    effect->stop();
    effect->play();
    playing_ = effect;
}

}  // namespace platform
