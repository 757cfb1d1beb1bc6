#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTcpServer>

#include "net/tsock.h"
#include "platform/socketcalls.h"
#include "platform/socketnotifier.h"
#include "tests/net/sockpair.h"
#include "tests/support/eventloop.h"

using testsupport::spin;
using testsupport::waitUntil;

std::unique_ptr<TSock> connectTo(const QString& port, InfoLog* log) {
    auto s = std::make_unique<TSock>();
    if (log) log->attach(s.get());
    s->setHostName("127.0.0.1");
    s->setPortName(port);
    s->Open();
    return s;
}

TEST(TSock, ConnectsSendsBufferedBytesAndReadsThemBack) {
    Listener server;
    InfoLog log;
    int connects = 0;
    auto client = std::make_unique<TSock>();
    log.attach(client.get());
    client->OnConnect = [&](TSock*) { ++connects; };
    client->setHostName("127.0.0.1");
    client->setPortName(server.port());
    EXPECT_FALSE(client->Open());  // non-blocking: completion comes later
    EXPECT_TRUE(client->hasHandle());
    // Given before the connection is made: kept and sent on the first write chance.
    EXPECT_TRUE(client->Send("early\xFF"));
    EXPECT_FALSE(client->Open()) << "a second Open changes nothing";

    ASSERT_TRUE(waitUntil([&] { return server.received == "early\xFF"; }));
    EXPECT_EQ(connects, 1);
    EXPECT_TRUE(client->Connected());
    EXPECT_EQ(log.count("Non-Blocking Socket Connected"), 1);
    EXPECT_EQ(log.texts.first(), "Lookup Of Port " + server.port());
    EXPECT_EQ(log.texts[1], "Lookup Of Host 127.0.0.1");

    ASSERT_EQ(server.accepted.size(), 1u);
    TSock* peer = server.accepted[0];
    EXPECT_TRUE(peer->Connected());
    EXPECT_EQ(peer->HostName(), "127.0.0.1");
    EXPECT_EQ(peer->PortName(), "0");

    int lastCount = -1;
    client->OnRead = [&](TSock*, int count) { lastCount = count; };
    peer->Send("reply");
    ASSERT_TRUE(waitUntil([&] { return lastCount == 5; }));
    EXPECT_EQ(client->Receive(), "reply");
    EXPECT_EQ(client->Receive(), "") << "Receive empties the buffer";
}

TEST(TSock, AcceptedSocketReportsItsSettingsThroughTheInheritedHandler) {
    QStringList acceptedTexts;  // outlives the listener, whose sockets report as they close
    Listener server;
    server.sock->OnInfo = [&](TSock* s, TSocketInfo, const QString& t) {
        if (s != server.sock.get()) acceptedTexts << t;
    };
    auto client = connectTo(server.port());
    ASSERT_TRUE(waitUntil([&] { return !server.accepted.empty(); }));
    EXPECT_EQ(acceptedTexts, QStringList({"Setting PortName While Connected Has No Effect",
                                          "Setting HostName While Connected Has No Effect"}));
}

TEST(TSock, LargeTransferArrivesWholeOverSeveralReads) {
    Listener server;
    auto client = connectTo(server.port());
    QByteArray big(300000, 'x');
    for (int i = 0; i < big.size(); ++i)
        big[i] = char('a' + i % 26);
    ASSERT_TRUE(waitUntil([&] { return client->Connected(); }));
    client->Send(big);
    ASSERT_TRUE(waitUntil([&] { return server.received.size() == big.size(); }, 10000));
    EXPECT_EQ(server.received, big);
    EXPECT_EQ(client->pendingOutput(), 0);
}

TEST(TSock, PeerCloseCallsDisconnectThenReportsClosed) {
    Listener server;
    InfoLog log;
    auto client = connectTo(server.port(), &log);
    int disconnects = 0;
    client->OnDisconnect = [&](TSock*) { ++disconnects; };
    ASSERT_TRUE(waitUntil([&] { return !server.accepted.empty() && client->Connected(); }));
    server.accepted[0]->Close();
    ASSERT_TRUE(waitUntil([&] { return log.count("Socket Closed") == 1; }));
    EXPECT_EQ(disconnects, 1);
    EXPECT_FALSE(client->hasHandle());
    EXPECT_FALSE(client->Connected());
}

TEST(TSock, DisconnectHandlerThatClosesGivesTwoClosedReports) {
    Listener server;
    InfoLog log;
    auto client = connectTo(server.port(), &log);
    client->OnDisconnect = [](TSock* s) { s->Close(); };
    ASSERT_TRUE(waitUntil([&] { return !server.accepted.empty() && client->Connected(); }));
    server.accepted[0]->Close();
    ASSERT_TRUE(waitUntil([&] { return log.count("Socket Closed") == 2; }));
    spin(50);
    EXPECT_EQ(log.count("Socket Closed"), 2);
}

TEST(TSock, DestroyingAConnectedSocketClosesIt) {
    InfoLog peerLog;
    Listener server;
    auto client = connectTo(server.port());
    ASSERT_TRUE(waitUntil([&] { return !server.accepted.empty() && client->Connected(); }));
    peerLog.attach(server.accepted[0]);
    InfoLog own;
    own.attach(client.get());
    client.reset();
    EXPECT_EQ(own.count("Socket Closed"), 1);
    ASSERT_TRUE(waitUntil([&] { return peerLog.count("Socket Closed") == 1; }));
}

TEST(TSock, RefusedConnectionIsReportedAsErrorAndKeepsTheHandle) {
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    const QString port = QString::number(probe.serverPort());
    probe.close();  // nothing listens there now
    InfoLog log;
    int connects = 0;
    auto client = std::make_unique<TSock>();
    log.attach(client.get());
    client->OnConnect = [&](TSock*) { ++connects; };
    client->setHostName("127.0.0.1");
    client->setPortName(port);
    client->Open();
    ASSERT_TRUE(waitUntil([&] { return log.texts.contains("Error #10061 (WSAECONNREFUSED)"); }));
    spin(50);
    EXPECT_EQ(connects, 0);
    EXPECT_FALSE(client->Connected());
    EXPECT_TRUE(client->hasHandle());
    EXPECT_FALSE(client->Open()) << "a later Open does nothing";
}

TEST(TSock, ListeningReportsAndErrors) {
    InfoLog log;
    TSock listener;
    log.attach(&listener);
    listener.setPortName("0");
    listener.setListen(true);
    listener.setListen(true);
    EXPECT_TRUE(listener.Listen());
    EXPECT_THROW(listener.Send("x"), ESockException);
    EXPECT_THROW(listener.Receive(), ESockException);
    listener.setListen(false);
    EXPECT_FALSE(listener.Listen());
    QStringList listenTexts;
    for (const QString& t : log.texts)
        if (!t.startsWith("Lookup")) listenTexts << t;
    EXPECT_EQ(listenTexts, QStringList({"Listening Started", "Listening Already Running",
                                        "Socket Closed", "Listening Stopped"}));

    try {
        listener.Send("x");
        FAIL();
    } catch (const ESockException& e) {
        EXPECT_STREQ(e.what(), "Send - Socket Not Connected");
    }
    try {
        listener.Receive();
        FAIL();
    } catch (const ESockException& e) {
        EXPECT_STREQ(e.what(), "Receive - Socket Not Connected");
    }
    TSock* none = nullptr;
    try {
        listener.Accept(none);
        FAIL();
    } catch (const ESockException& e) {
        EXPECT_STREQ(e.what(), "Accept - Socket Not In Listening Mode");
    }
}

TEST(TSock, BindingAPortInUseFailsAndALaterAttemptCanSucceed) {
    Listener first;
    TSock second;
    second.setPortName(first.port());
    try {
        second.setListen(true);
        FAIL();
    } catch (const ESockException& e) {
        EXPECT_STREQ(e.what(), "Listen - Error Binding Socket");
    }
    EXPECT_FALSE(second.Listen());
    EXPECT_FALSE(second.hasHandle());
    second.setPortName("0");
    EXPECT_NO_THROW(second.setListen(true));
    EXPECT_TRUE(second.Listen());
}

TEST(TSock, ListeningOnASocketWithAHandleIsRefused) {
    Listener server;
    auto client = connectTo(server.port());
    try {
        client->setListen(true);
        FAIL();
    } catch (const ESockException& e) {
        EXPECT_STREQ(e.what(), "Listen - Socket Already In Use");
    }
    EXPECT_FALSE(client->Listen());
}

TEST(TSock, EmptySendWithNothingBufferedDoesNothing) {
    Listener server;
    InfoLog log;
    auto client = connectTo(server.port(), &log);
    ASSERT_TRUE(waitUntil([&] { return client->Connected(); }));
    log.texts.clear();
    EXPECT_TRUE(client->Send(""));
    EXPECT_TRUE(log.texts.isEmpty());
}

TEST(TSock, HostLookupRules) {
    TSock s;
    InfoLog log;
    log.attach(&s);
    // A name that starts with a digit is converted, never looked up.
    EXPECT_EQ(s.HostLookup("1.2.3.x"), 0xFFFFFFFFu);
    EXPECT_EQ(s.HostLookup("127.0.0.1"), 0x0100007Fu);
    EXPECT_EQ(s.HostLookup("localhost"), 0x0100007Fu);
    EXPECT_EQ(s.HostLookup("LocalHost"), 0x0100007Fu) << "the cache ignores letter case";
    EXPECT_EQ(log.texts.last(), "Lookup Of Host LocalHost");
    try {
        s.HostLookup("no-such-host.invalid");
        FAIL();
    } catch (const ESockException& e) {
        EXPECT_STREQ(e.what(), "Host Lookup - Could Not Find Host Entry");
    }
    EXPECT_EQ(s.PortLookup("7775"), 7775);
    EXPECT_EQ(s.PortLookup("http"), 80);
    try {
        s.PortLookup("no-such-service");
        FAIL();
    } catch (const ESockException& e) {
        EXPECT_STREQ(e.what(), "Port Lookup - Could Not Find Service Entry");
    }
}

TEST(TSock, FailingLookupInOpenLeavesAnUnconnectedHandle) {
    TSock s;
    s.setHostName("no-such-host.invalid");
    s.setPortName("7775");
    EXPECT_THROW(s.Open(), ESockException);
    EXPECT_TRUE(s.hasHandle());
    EXPECT_FALSE(s.Open());
}

TEST(TSock, RaisingInformationHandlerBecomesErrorHere) {
    TSock s;
    s.OnInfo = [](TSock*, TSocketInfo, const QString&) { throw std::runtime_error("boom"); };
    try {
        s.PortLookup("1");
        FAIL();
    } catch (const ESockException& e) {
        EXPECT_STREQ(e.what(), "Error here");
    }
    EXPECT_NO_THROW(s.Close()) << "Close swallows it";
}

TEST(TSock, OutputLimitClosesAConnectionWhosePeerNeverReads) {
    // A listener that never accepts: the kernel completes the connection, and what
    // is sent piles up unread until every buffer is full.
    const int silent = platform::openStreamSocket();
    ASSERT_TRUE(platform::bindAnyAddress(silent, 0));
    ASSERT_TRUE(platform::startListening(silent, 5));
    InfoLog log;
    auto client = connectTo(QString::number(platform::localPort(silent)), &log);
    client->setOutputLimit(1024 * 1024);
    ASSERT_TRUE(waitUntil([&] { return client->Connected(); }));
    const QByteArray chunk(64 * 1024, 'z');
    for (int i = 0; i < 2000 && client->hasHandle() && log.count("Socket Closed") == 0; ++i) {
        client->Send(chunk);
        EXPECT_LE(client->pendingOutput(), 1024 * 1024);
        QCoreApplication::processEvents();
    }
    ASSERT_TRUE(waitUntil([&] { return log.count("Socket Closed") == 1; }));
    EXPECT_FALSE(client->hasHandle());
    platform::closeSocket(silent);
}

TEST(TSock, IdleConnectionWakesNoNotifier) {
    Listener server;
    auto client = connectTo(server.port());
    ASSERT_TRUE(waitUntil([&] { return client->Connected() && !server.accepted.empty(); }));
    client->Send("hello");
    ASSERT_TRUE(waitUntil([&] { return server.received == "hello"; }));
    spin(20);
    const quint64 before = platform::SocketNotifier::activations();
    spin(300);
    EXPECT_EQ(platform::SocketNotifier::activations(), before);
}

TEST(TSock, InfoKindNames) {
    EXPECT_STREQ(socketInfoName(TSocketInfo::siLookup), "Lookup");
    EXPECT_STREQ(socketInfoName(TSocketInfo::siError), "Error");
}
