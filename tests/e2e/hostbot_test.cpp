// The programs without a window: quivelo-host with computer players joining it.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTcpServer>
#include <csignal>

#include "tests/e2e/program.h"
#include "tests/support/eventloop.h"

using testsupport::waitUntil;

TEST(HostAndBots, TwoBotsPlayAWholeGameToItsWinner) {
    Program host("quivelo-host");
    const quint16 port = startHost(host);
    ASSERT_NE(port, 0);
    Program first("quivelo-bot"), second("quivelo-bot");
    first.start({"--port", QString::number(port), "--name", "Ann", "--start", "n"});
    ASSERT_TRUE(waitUntil([&] { return first.output().contains("Ann sits in seat 1"); }));
    // Ann starts at once against Vuzi; Bob then takes seat 2 over from the computer.
    second.start({"--port", QString::number(port), "--name", "Bob"});
    ASSERT_TRUE(first.waitForExit(120000)) << first.output().toStdString();
    ASSERT_TRUE(second.waitForExit(10000));
    EXPECT_EQ(first.exitCode(), 0) << first.errors().toStdString();
    EXPECT_EQ(second.exitCode(), 0) << second.errors().toStdString();
    const QString out = first.output();
    EXPECT_TRUE(out.contains("Ann started a game"));
    EXPECT_TRUE(
        out.contains(QRegularExpression("seat 1 \\(Ann\\): darts \\S+ \\S+ \\S+, score \\d+")));
    EXPECT_TRUE(out.contains(QRegularExpression("seat 2 \\(Bob\\): darts")));
    const QRegularExpressionMatch winner = QRegularExpression("winner: ([^\n]+)\n").match(out);
    ASSERT_TRUE(winner.hasMatch()) << out.toStdString();
    EXPECT_TRUE(QStringList({"Ann", "Bob", "Ann and Bob"}).contains(winner.captured(1)))
        << winner.captured(1).toStdString();
    EXPECT_TRUE(QString(second.output()).contains("winner: " + winner.captured(1)));
    // The host logged both arrivals and the winner.
    EXPECT_TRUE(
        waitUntil([&] { return host.errors().contains(winner.captured(1).toUtf8() + " won"); }));
    EXPECT_TRUE(host.errors().contains("seat 1: Ann logged in"));
    EXPECT_TRUE(host.errors().contains("seat 2: Bob logged in"));
}

TEST(HostAndBots, HostEndsCleanlyOnTerminationSignals) {
    for (int signal : {SIGINT, SIGTERM}) {
        Program host("quivelo-host");
        ASSERT_NE(startHost(host), 0);
        ::kill(pid_t(host.pid()), signal);
        ASSERT_TRUE(host.waitForExit(5000));
        EXPECT_EQ(host.exitCode(), 0);
    }
}

TEST(HostAndBots, HostThatCannotBindSaysSoAndExitsWithOne) {
    QTcpServer taken;
    ASSERT_TRUE(taken.listen(QHostAddress::Any));
    Program host("quivelo-host");
    host.start({"--port", QString::number(taken.serverPort())});
    ASSERT_TRUE(host.waitForExit(5000));
    EXPECT_EQ(host.exitCode(), 1);
    EXPECT_TRUE(host.errors().contains("cannot listen on port")) << host.errors().toStdString();
    EXPECT_TRUE(host.errors().contains("Listen - Error Binding Socket"));
}

TEST(HostAndBots, BotThatCannotConnectSaysSo) {
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    const QString port = QString::number(probe.serverPort());
    probe.close();
    Program bot("quivelo-bot");
    bot.start({"--port", port});
    ASSERT_TRUE(bot.waitForExit(5000));
    EXPECT_NE(bot.exitCode(), 0);
    EXPECT_TRUE(QString(bot.errors()).contains("cannot connect to 127.0.0.1:" + port))
        << bot.errors().toStdString();
}

TEST(HostAndBots, BotThatLosesTheHostSaysSo) {
    Program host("quivelo-host");
    const quint16 port = startHost(host);
    Program bot("quivelo-bot");
    bot.start({"--port", QString::number(port)});
    ASSERT_TRUE(waitUntil([&] { return bot.output().contains("sits in seat 1"); }));
    host.stop();
    ASSERT_TRUE(bot.waitForExit(5000));
    EXPECT_NE(bot.exitCode(), 0);
    EXPECT_TRUE(bot.errors().contains("lost the connection to the host"));
}
