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

int loudest(const QByteArray& pcm) {
    int most = 0;
    for (qsizetype i = 0; i + 1 < pcm.size(); i += 2) {
        const qint16 v = qint16(quint8(pcm[i]) | (quint8(pcm[i + 1]) << 8));
        most = std::max(most, std::abs(int(v)));
    }
    return most;
}

// The loudest sample recorded after `play` starts a sound, as signed 16-bit mono;
// recording stops once something loud came or after `ms`.
int loudestAfter(const std::function<void()>& play, int ms) {
    QProcess rec;
    rec.start("parec", {"-d", "dummy.monitor", "--raw", "--format=s16le", "--channels=1"});
    if (!rec.waitForStarted(3000)) return -1;
    spin(300);
    rec.readAll();
    play();
    QByteArray pcm;
    waitUntil(
        [&] {
            pcm += rec.readAll();
            return loudest(pcm) > 1000;
        },
        ms);
    rec.kill();
    rec.waitForFinished(3000);
    return loudest(pcm);
}

}  // namespace

TEST(SoundPlayer, PlaysTheEmbeddedSoundsAndANewOneReplacesTheOld) {
    if (!pulseRunning()) GTEST_SKIP() << "no PulseAudio server with a null sink named dummy";
    platform::SoundPlayer player;
    EXPECT_LT(loudestAfter([] {}, 500), 200) << "silence before anything plays";
    EXPECT_GT(loudestAfter([&] { player.play("bull"); }, 5000), 1000);
    EXPECT_GT(loudestAfter([&] { player.play("DICE1"); }, 5000), 1000);

    player.play("WINNER");
    ASSERT_TRUE(waitUntil([&] { return player.isPlaying("WINNER"); }, 3000));
    player.play("MISS");
    EXPECT_FALSE(player.isPlaying("WINNER"));
    EXPECT_TRUE(waitUntil([&] { return player.isPlaying("MISS"); }, 3000));
}
