// The embedded sounds are plain PCM waves that the game's player can load.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSet>
#include <QtEndian>

namespace {

struct Wave {
    quint16 format = 0;
    quint16 channels = 0;
    quint32 rate = 0;
    quint32 byteRate = 0;
    quint16 blockAlign = 0;
    quint16 bits = 0;
    QByteArray data;
    bool wellFormed = false;
};

quint32 u32(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}
quint16 u16(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}

// Reads the chunks of a RIFF/WAVE file; wellFormed only if every chunk fits.
Wave parse(const QByteArray& bytes) {
    Wave w;
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") return w;
    if (u32(bytes, 4) + 8 != quint32(bytes.size())) return w;
    bool haveFormat = false, haveData = false;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = u32(bytes, at + 4);
        const qsizetype body = at + 8;
        if (body + qsizetype(size) > bytes.size()) return w;
        if (id == "fmt " && size >= 16) {
            w.format = u16(bytes, body);
            w.channels = u16(bytes, body + 2);
            w.rate = u32(bytes, body + 4);
            w.byteRate = u32(bytes, body + 8);
            w.blockAlign = u16(bytes, body + 12);
            w.bits = u16(bytes, body + 14);
            haveFormat = true;
        } else if (id == "data") {
            w.data = bytes.mid(body, size);
            haveData = true;
        }
        at = body + size + (size & 1);
    }
    w.wellFormed = haveFormat && haveData && at == bytes.size();
    return w;
}

QByteArray readResource(const QString& name) {
    QFile file(":/sounds/" + name + ".wav");
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The largest distance of an 8-bit unsigned sample from silence (128).
int peak(const QByteArray& data) {
    int largest = 0;
    for (char c : data)
        largest = std::max(largest, std::abs(int(static_cast<uchar>(c)) - 128));
    return largest;
}

const QStringList kVoices = {"BULL",  "DBULL", "MISS",  "WAV15", "WAV16",
                             "WAV17", "WAV18", "WAV19", "WAV20", "WINNER"};

TEST(Sounds, TheElevenWavesAreEmbeddedAndNothingElse) {
    QSet<QString> expected;
    for (const QString& v : kVoices)
        expected.insert(v + ".wav");
    expected.insert("DICE1.wav");
    const QStringList present = QDir(":/sounds").entryList(QDir::Files);
    EXPECT_EQ(QSet<QString>(present.begin(), present.end()), expected);
}

void expectPcm(const QString& name, int channels, double minSeconds, double maxSeconds) {
    SCOPED_TRACE(name.toStdString());
    const QByteArray bytes = readResource(name);
    ASSERT_FALSE(bytes.isEmpty());
    const Wave w = parse(bytes);
    ASSERT_TRUE(w.wellFormed);
    EXPECT_EQ(w.format, 1);  // PCM
    EXPECT_EQ(w.channels, channels);
    EXPECT_EQ(w.rate, 22050u);
    EXPECT_EQ(w.bits, 8);
    EXPECT_EQ(w.blockAlign, channels);
    EXPECT_EQ(w.byteRate, 22050u * channels);
    const double seconds = double(w.data.size()) / (22050.0 * channels);
    EXPECT_GE(seconds, minSeconds);
    EXPECT_LE(seconds, maxSeconds);
    EXPECT_GT(peak(w.data), 60);  // loud enough to hear, not silence
}

TEST(Sounds, VoicesAreStereoPcm) {
    for (const QString& voice : kVoices)
        expectPcm(voice, 2, 0.3, 2.5);
}

TEST(Sounds, DiceRattleIsMonoAndShort) {
    expectPcm("DICE1", 1, 0.2, 0.999);
}

TEST(Sounds, EveryCallIsItsOwnRecording) {
    QSet<QByteArray> data;
    for (const QString& voice : kVoices)
        data.insert(parse(readResource(voice)).data);
    EXPECT_EQ(data.size(), kVoices.size());
}

}  // namespace
