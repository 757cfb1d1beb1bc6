#include "tests/host/hostfixture.h"

#include "host/random.h"

void HostTest::SetUp() {
    server.onLog = [this](const QString& line) { log << line; };
    server.setComputerPlayInterval(20);
    server.startListening(0);
    port = server.listeningPort();
}

QByteArray loginMessage(int seat, const QString& name, const QString& version) {
    return QString("CMD_logininfo+%1+%2+%3").arg(seat).arg(version, name).toUtf8();
}

std::unique_ptr<TestClient> HostTest::connect(int* seat) {
    auto c = std::make_unique<TestClient>();
    EXPECT_TRUE(c->connectTo(port));
    QByteArray ask = c->waitFor("CMD_sendlogininfo+");
    EXPECT_FALSE(ask.isEmpty());
    if (seat) *seat = ask.mid(18).toInt();
    return c;
}

std::unique_ptr<TestClient> HostTest::join(const QString& name, const QString& version) {
    int seat = 0;
    auto c = connect(&seat);
    c->send(loginMessage(seat, name, version));
    EXPECT_FALSE(c->waitFor(QString("CMD_newplayerinfo+%1+").arg(seat).toUtf8()).isEmpty());
    c->takeNew(30);
    return c;
}

void HostTest::seedPick(int seat) {
    for (std::uint32_t s = 1;; ++s) {
        rng::setRandomSeed(s);
        if (rng::randomBelow(4) + 1 == seat) {
            rng::setRandomSeed(s);
            return;
        }
    }
}

void HostTest::fixDice(std::vector<int> dice) {
    server.setRoll([dice](rules::TurnState& turn) {
        for (int i = 0; i < rules::kDice; ++i)
            turn.dice[size_t(i)] = dice[size_t(i)];
    });
}
