// Real playback of the embedded sounds, recorded back from a PulseAudio null sink.
// Needs a running PulseAudio server with a sink named "dummy"
// (scripts/install-deps --sound, then see the design notes); skipped without one.
#include <gtest/gtest.h>

#include <QProcess>

#include "platform/soundplayer.h"
#include "tests/support/eventloop.h"

using testsupport::spin;
using testsupport::waitUntil;

namespace {

bool pulseRunning() {
    QProcess info;
    info.start("pactl", {"list", "short", "sinks"});
    return info.waitForFinished(3000) && info.exitCode() == 0 && info.readAll().contains("dummy");
}

// The loudest sample recorded while `play` runs, as signed 16-bit mono.
int loudestWhile(const std::function<void()>& play, int ms) {
    QProcess rec;
    rec.start("parec", {"-d", "dummy.monitor", "--raw", "--format=s16le", "--channels=1"});
    if (!rec.waitForStarted(3000)) return -1;
    spin(300);
    rec.readAll();
    play();
    spin(ms);
    const QByteArray pcm = rec.readAll();
    rec.kill();
    rec.waitForFinished(3000);
    int loudest = 0;
    for (qsizetype i = 0; i + 1 < pcm.size(); i += 2) {
        const qint16 v = qint16(quint8(pcm[i]) | (quint8(pcm[i + 1]) << 8));
        loudest = std::max(loudest, std::abs(int(v)));
    }
    return loudest;
}

}  // namespace

TEST(SoundPlayer, PlaysTheEmbeddedSoundsAndANewOneReplacesTheOld) {
    if (!pulseRunning()) GTEST_SKIP() << "no PulseAudio server with a null sink named dummy";
    platform::SoundPlayer player;
    EXPECT_LT(loudestWhile([] {}, 500), 200) << "silence before anything plays";
    EXPECT_GT(loudestWhile([&] { player.play("bull"); }, 1200), 1000);
    EXPECT_GT(loudestWhile([&] { player.play("DICE1"); }, 1200), 1000);

    player.play("WINNER");
    ASSERT_TRUE(waitUntil([&] { return player.isPlaying("WINNER"); }, 3000));
    player.play("MISS");
    EXPECT_FALSE(player.isPlaying("WINNER"));
    EXPECT_TRUE(waitUntil([&] { return player.isPlaying("MISS"); }, 3000));
}
