#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "host/tserver.h"
#include "tests/support/peer.h"

// A real TServer on a free loopback port, with real TCP clients.
class HostTest : public ::testing::Test {
  protected:
    void SetUp() override;

    // Connects a client and returns it with the seat the host offered.
    std::unique_ptr<TestClient> connect(int* seat = nullptr);
    // Connects and logs in; waits until the client's own arrival is announced.
    std::unique_ptr<TestClient> join(const QString& name, const QString& version = "2.0.10");
    // Seeds the generator so that the next start picks `seat` (1 to 4) before findplayer.
    static void seedPick(int seat);
    // Makes every roll give these dice.
    void fixDice(std::vector<int> dice);

    TServer server;
    quint16 port = 0;
    QStringList log;
};

QByteArray loginMessage(int seat, const QString& name, const QString& version = "2.0.10");
