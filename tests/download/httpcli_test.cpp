// The HTTP client against a real server on 127.0.0.1: the request it sends, the
// answers it understands and every way a request fails.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QTimer>

#include "download/thttpcli.h"
#include "tests/download/httpserver.h"

namespace {

struct Fetch {
    QBuffer document;
    THttpCli cli;
    QList<QByteArray> headerLines;
    int docBegins = 0;

    Fetch() {
        document.open(QIODevice::WriteOnly);
        cli.RcvdStream = &document;
        cli.OnHeaderData = [this](THttpCli*, const QByteArray& line) { headerLines << line; };
        cli.OnDocBegin = [this](THttpCli*) { ++docBegins; };
    }
    // The failure of Get(url), or nothing when it succeeded.
    std::optional<EHttpException> get(const QString& url) {
        cli.URL = url;
        try {
            cli.Get();
        } catch (const EHttpException& e) {
            return e;
        }
        return std::nullopt;
    }
};

}  // namespace

TEST(HttpCli, SendsExactlyTheRequestLineAndThreeHeaders) {
    HttpServer server;
    server.route("/lobby/files/setup.exe", {"200 OK", {}, "installer"});
    server.route("/", {"200 OK", {}, "root"});
    Fetch f;
    ASSERT_FALSE(f.get(server.url("/lobby/files/setup.exe")));
    ASSERT_FALSE(f.get(server.url("")));
    const QByteArray rest =
        " HTTP/1.0\r\n"
        "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n"
        "User-Agent: Mozilla/3.0 (compatible)\r\n"
        "Host: 127.0.0.1\r\n\r\n";
    ASSERT_EQ(server.requests().size(), 2);
    EXPECT_EQ(server.requests()[0], "GET /lobby/files/setup.exe" + rest);
    EXPECT_EQ(server.requests()[1], "GET /" + rest) << "an address without a path asks for /";
}

TEST(HttpCli, HostHeaderCarriesTheAddressHostName) {
    HttpServer server;
    server.route("/f", {"200 OK", {}, "x"});
    Fetch f;
    ASSERT_FALSE(f.get(QString("http://localhost:%1/f").arg(server.port())));
    EXPECT_TRUE(server.requests()[0].contains("\r\nHost: localhost\r\n"));
}

TEST(HttpCli, ReadsTheBodyWithOrWithoutContentLength) {
    const QByteArray body = QByteArray(100000, 'a') + "end";
    for (bool withLength : {true, false}) {
        HttpServer server;
        Reply reply{"200 OK", {}, body};
        reply.withLength = withLength;
        server.route("/setup.exe", reply);
        Fetch f;
        ASSERT_FALSE(f.get(server.url("/setup.exe"))) << withLength;
        EXPECT_EQ(f.document.data(), body) << withLength;
        EXPECT_EQ(f.cli.RcvdCount(), body.size());
        EXPECT_EQ(f.cli.ContentLength(), withLength ? body.size() : -1);
        EXPECT_EQ(f.cli.StatusCode(), 200);
        EXPECT_EQ(f.docBegins, 1);
    }
}

TEST(HttpCli, ReportsEveryHeaderLineAndReadsHeaderNamesInAnyCase) {
    HttpServer server;
    Reply reply{"200 OK", {"SERVER: test", "CONTENT-length: 4"}, "abcdEXTRA"};
    reply.withLength = false;
    server.route("/f", reply);
    Fetch f;
    ASSERT_FALSE(f.get(server.url("/f")));
    EXPECT_EQ(f.headerLines,
              (QList<QByteArray>{"HTTP/1.0 200 OK", "SERVER: test", "CONTENT-length: 4"}));
    EXPECT_EQ(f.document.data(), "abcd") << "bytes past the length are no part of the document";
}

TEST(HttpCli, AnErrorStatusFailsWithItsCodeAndReason) {
    HttpServer server;
    Fetch f;
    std::optional<EHttpException> e = f.get(server.url("/missing.exe"));
    ASSERT_TRUE(e);
    EXPECT_EQ(e->ErrorCode(), 404);
    EXPECT_EQ(e->reason(), "Not Found");
    server.route("/broken", {"500 Internal Server Error", {}, "oops"});
    e = f.get(server.url("/broken"));
    ASSERT_TRUE(e);
    EXPECT_EQ(e->ErrorCode(), 500);
    EXPECT_EQ(e->reason(), "Internal Server Error");
}

TEST(HttpCli, AnUnreachableServerFailsWithTheClientsReasons) {
    Fetch f;
    std::optional<EHttpException> e = f.get(QString("http://127.0.0.1:%1/x").arg(closedPort()));
    ASSERT_TRUE(e);
    EXPECT_EQ(e->ErrorCode(), 404);
    EXPECT_EQ(e->reason(), "can't connect: WSAECONNREFUSED (Error #10061)");
    e = f.get("http://no-such-host.invalid/setup.exe");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->reason(), "can't resolve hostname to IP address");
    e = f.get("ftp://127.0.0.1/setup.exe");
    ASSERT_TRUE(e) << "only plain http:// is spoken";
}

TEST(HttpCli, FollowsAbsoluteAndRelativeRedirects) {
    HttpServer server;
    server.redirect("/old/setup.exe", server.url("/moved/setup.exe").toLatin1());
    server.redirect("/moved/setup.exe", "../final/setup.exe");
    server.route("/final/setup.exe", {"200 OK", {}, "the installer"});
    Fetch f;
    ASSERT_FALSE(f.get(server.url("/old/setup.exe")));
    EXPECT_EQ(f.document.data(), "the installer") << "redirect bodies are not written";
    ASSERT_EQ(server.requests().size(), 3);
    EXPECT_TRUE(server.requests()[2].startsWith("GET /final/setup.exe HTTP/1.0\r\n"));
}

TEST(HttpCli, FollowsFiveRedirectsButNotASixth) {
    HttpServer server;
    for (int i = 1; i <= 6; ++i)
        server.redirect("/r" + QByteArray::number(i), "/r" + QByteArray::number(i + 1));
    server.route("/r6", {"200 OK", {}, "five hops"});
    server.route("/r7", {"200 OK", {}, "six hops"});
    Fetch f;
    ASSERT_FALSE(f.get(server.url("/r1")));
    EXPECT_EQ(f.document.data(), "five hops");
    server.redirect("/r6", "/r7");
    std::optional<EHttpException> e = f.get(server.url("/r1"));
    ASSERT_TRUE(e) << "a sixth redirect fails";
    EXPECT_EQ(server.requests().size(), 6 + 6);
}

TEST(HttpCli, ALocationLoopEnds) {
    HttpServer server;
    server.redirect("/loop", "/loop");
    Fetch f;
    std::optional<EHttpException> e = f.get(server.url("/loop"));
    ASSERT_TRUE(e);
    EXPECT_EQ(server.requests().size(), 1 + THttpCli::kMaxRedirects);
}

TEST(HttpCli, ABodyShorterThanItsLengthFails) {
    HttpServer server;
    Reply reply{"200 OK", {}, QByteArray(5000, 'x')};
    reply.sendBytes = 3000;
    server.route("/setup.exe", reply);
    Fetch f;
    std::optional<EHttpException> e = f.get(server.url("/setup.exe"));
    ASSERT_TRUE(e);
    EXPECT_EQ(e->reason(), "connection closed after 3000 of 5000 bytes");
}

TEST(HttpCli, AHeaderOfSixtyFourKibibytesPassesOneByteMoreFails) {
    // Status line, the padding line and the empty line that ends the header.
    const QByteArray status = "HTTP/1.0 200 OK\r\n";
    const qsizetype padding = THttpCli::kMaxHeaderBytes - status.size() - 2 - 2 - 3;
    for (qsizetype extra : {0, 1}) {
        HttpServer server;
        Reply reply{"200 OK", {"X: " + QByteArray(padding + extra, 'p')}, "body"};
        reply.withLength = false;
        server.route("/f", reply);
        Fetch f;
        std::optional<EHttpException> e = f.get(server.url("/f"));
        EXPECT_EQ(bool(e), extra == 1) << extra;
        if (!e) {
            EXPECT_EQ(f.document.data(), "body");
        }
    }
}

TEST(HttpCli, AbortStopsARunningRequest) {
    HttpServer server;
    Reply reply{"200 OK", {}, QByteArray(10000, 'x')};
    reply.sendBytes = 100;
    reply.hold = true;
    server.route("/setup.exe", reply);
    Fetch f;
    f.cli.OnDocData = [](THttpCli* cli) { QTimer::singleShot(10, [cli] { cli->Abort(); }); };
    std::optional<EHttpException> e = f.get(server.url("/setup.exe"));
    ASSERT_TRUE(e);
    EXPECT_EQ(e->ErrorCode(), 404);
    EXPECT_EQ(e->reason(), "Connection aborted on request");
    EXPECT_EQ(f.document.data(), QByteArray(100, 'x'));
    EXPECT_FALSE(f.cli.busy());
}

TEST(HttpCli, AbortOnAnIdleClientChangesNothing) {
    HttpServer server;
    server.route("/f", {"200 OK", {}, "whole"});
    Fetch f;
    f.cli.Abort();
    ASSERT_FALSE(f.get(server.url("/f")));
    EXPECT_EQ(f.document.data(), "whole");
}

TEST(HttpCli, AFailingEventHandlerEndsTheRequestWithItsError) {
    HttpServer server;
    server.route("/f", {"200 OK", {}, "whole"});
    Fetch f;
    f.cli.OnDocBegin = [](THttpCli*) { throw std::runtime_error("handler broke"); };
    f.cli.URL = server.url("/f");
    EXPECT_THROW(
        {
            try {
                f.cli.Get();
            } catch (const std::runtime_error& e) {
                EXPECT_STREQ(e.what(), "handler broke");
                throw;
            }
        },
        std::runtime_error);
    EXPECT_FALSE(f.cli.busy());
}

TEST(HttpCli, TheProgramEndingWhileGetWaitsStopsItAsAbortDoes) {
    HttpServer server;
    Reply reply{"200 OK", {}, QByteArray(10000, 'x')};
    reply.sendBytes = 10;
    reply.hold = true;
    server.route("/setup.exe", reply);
    Fetch f;
    f.cli.OnDocData = [](THttpCli*) { QCoreApplication::quit(); };
    std::optional<EHttpException> e;
    QTimer::singleShot(0, [&] { e = f.get(server.url("/setup.exe")); });
    QCoreApplication::exec();  // the program's own loop, which quit ends too
    ASSERT_TRUE(e);
    EXPECT_EQ(e->reason(), "Connection aborted on request");
}
