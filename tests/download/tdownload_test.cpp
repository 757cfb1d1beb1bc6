// The lobby download window against a real HTTP server: its texts and buttons
// through a download, every failure, "Stop Download", and the installer's start.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "download/tdownload.h"
#include "download/thttpcli.h"
#include "platform/messagebox.h"
#include "tests/download/httpserver.h"
#include "tests/support/eventloop.h"

using testsupport::spin;
using testsupport::waitUntil;

namespace {

// An installer that writes the arguments it was started with beside itself.
const QByteArray kRecorder = "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/args.txt\"\n";
const QByteArray kThreeArguments = "/SP-\n/silent\n/noicons\n";

// Runs `step` every few milliseconds, also inside a running download, until it returns true.
void whenever(QObject* owner, std::function<bool()> step) {
    auto* timer = new QTimer(owner);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, step] {
        if (step()) timer->deleteLater();
    });
    timer->start(5);
}

class DownloadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        qputenv("QUIVELO_PROGRAM_DIR", folder.path().toUtf8());
        platform::setBoxPresenter([this](platform::BoxKind, const QString& t) {
            boxes << t;
            return true;
        });
        window = std::make_unique<Tdownload>();
        window->lobbyPath = folder.filePath("no-lobby-here");
        window->onCloseProgram = [this] { ++closes; };
        window->onPlayWithOthers = [this] { ++offers; };
        // Every text the handlers leave, in order.
        THttpCli* cli = window->HttpCli1;
        auto header = cli->OnHeaderData;
        cli->OnHeaderData = [this, header](THttpCli* c, const QByteArray& line) {
            header(c, line);
            progress << window->infolabel->text();
        };
        auto begin = cli->OnDocBegin;
        cli->OnDocBegin = [this, begin](THttpCli* c) {
            begin(c);
            progress << window->infolabel3->text();
        };
        auto data = cli->OnDocData;
        cli->OnDocData = [this, data](THttpCli* c) {
            data(c);
            progress << window->infolabel->text();
        };
        window->show();
    }
    void TearDown() override {
        window.reset();
        platform::setBoxPresenter({});
        qunsetenv("QUIVELO_PROGRAM_DIR");
    }

    void download(const QString& url) {
        window->HttpCli1->URL = url;
        QTest::mouseClick(window->getbutton, Qt::LeftButton);
    }
    // What the installer recorded of its arguments, once it has run.
    QByteArray installerArguments(int waitMs = 5000) {
        QFile args(folder.filePath("args.txt"));
        waitUntil([&] { return args.exists() && args.size() > 0; }, waitMs);
        return args.open(QIODevice::ReadOnly) ? args.readAll() : QByteArray();
    }
    QString info() const { return window->infolabel->text(); }
    QString info3() const { return window->infolabel3->text(); }
    bool buttonsIdle() const {
        return window->getbutton->isEnabled() && !window->abortbutton->isEnabled();
    }

    HttpServer server;
    QTemporaryDir folder;
    std::unique_ptr<Tdownload> window;
    QStringList boxes;
    QStringList progress;
    int closes = 0;
    int offers = 0;
};

TEST_F(DownloadTest, StartsIdleWithBothDownloadButtonsEnabled) {
    EXPECT_EQ(window->windowTitle(), "Download The Vant11 Lobby");
    EXPECT_TRUE(window->getbutton->isEnabled());
    EXPECT_TRUE(window->abortbutton->isEnabled());
    EXPECT_EQ(info(), "");
    EXPECT_EQ(info3(), "");
}

TEST_F(DownloadTest, DownloadsUnderTheLastSegmentShowsProgressAndStartsTheInstaller) {
    server.route("/vant11/lobby/lobbysetup.sh",
                 {"200 OK", {"Server: test", "X-One: 1", "X-Two: 2"}, kRecorder});
    download(server.url("/vant11/lobby/lobbysetup.sh"));
    // Five header lines (status, three, the length), the start of the body, its bytes.
    const QString size = QString::number(kRecorder.size());
    EXPECT_EQ(progress.mid(0, 7),
              (QStringList{"Loading.", "Loading..", "Loading...", "Loading....", "Loading.....",
                           "Downloading: lobbysetup.sh", size + " bytes"}));
    EXPECT_EQ(info(), "Received " + size + " bytes");
    EXPECT_EQ(window->infolabel2->text(), "lobbysetup.sh");
    EXPECT_EQ(info3(), "Installing");
    QFile file(folder.filePath("lobbysetup.sh"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), kRecorder);
    EXPECT_EQ(installerArguments(), kThreeArguments);
    EXPECT_EQ(closes, 1) << "the program closes once the installer runs";
    EXPECT_TRUE(buttonsIdle());
    EXPECT_TRUE(boxes.isEmpty());
}

TEST_F(DownloadTest, ABodyWithoutLengthEndsAtCloseWithTheWholeFile) {
    Reply reply{"200 OK", {}, kRecorder + QByteArray(70000, '#')};
    reply.withLength = false;
    server.route("/setup.sh", reply);
    download(server.url("/setup.sh"));
    EXPECT_EQ(info(), QString("Received %1 bytes").arg(reply.body.size()));
    EXPECT_EQ(QFileInfo(folder.filePath("setup.sh")).size(), reply.body.size());
    EXPECT_EQ(installerArguments(), kThreeArguments);
}

TEST_F(DownloadTest, ARedirectIsFollowedAndTheFinalBodyWritten) {
    server.redirect("/setup.sh", "/mirror/real.sh");
    server.route("/mirror/real.sh", {"200 OK", {}, kRecorder});
    download(server.url("/setup.sh"));
    QFile file(folder.filePath("setup.sh"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), kRecorder);
    EXPECT_EQ(installerArguments(), kThreeArguments);
}

TEST_F(DownloadTest, EveryFailureShowsDownloadAbortedAndStartsNothing) {
    server.redirect("/loop.sh", "/loop.sh");
    Reply shortBody{"200 OK", {}, kRecorder + QByteArray(1000, '#')};
    shortBody.sendBytes = kRecorder.size();
    server.route("/short.sh", shortBody);
    server.route("/tampered.sh", {"200 OK", {}, kRecorder});
    const QList<QPair<const char*, QString>> failures = {
        {"404", server.url("/missing.sh")},
        {"refused", QString("http://127.0.0.1:%1/setup.sh").arg(closedPort())},
        {"redirect loop", server.url("/loop.sh")},
        {"closed early", server.url("/short.sh")},
        {"digest mismatch", server.url("/tampered.sh")},
    };
    const QString otherDigest =
        QCryptographicHash::hash("the real installer", QCryptographicHash::Sha256).toHex();
    for (const auto& [what, url] : failures) {
        window->expectedDigest = QString(what) == "digest mismatch" ? otherDigest : QString();
        download(url);
        EXPECT_EQ(info(), "Download Aborted") << what;
        EXPECT_TRUE(window->aborted()) << what;
        EXPECT_TRUE(buttonsIdle()) << what;
    }
    EXPECT_EQ(installerArguments(300), "") << "no installer ran";
    EXPECT_EQ(closes, 0);
    EXPECT_TRUE(boxes.isEmpty());
}

TEST_F(DownloadTest, AMatchingDigestLetsTheInstallerStart) {
    server.route("/setup.sh", {"200 OK", {}, kRecorder});
    window->expectedDigest =
        QCryptographicHash::hash(kRecorder, QCryptographicHash::Sha256).toHex().toUpper();
    download(server.url("/setup.sh"));
    EXPECT_EQ(installerArguments(), kThreeArguments);
}

TEST_F(DownloadTest, StopDownloadDuringTheBodyAbortsIt) {
    Reply reply{"200 OK", {}, kRecorder + QByteArray(50000, '#')};
    reply.sendBytes = kRecorder.size();
    reply.hold = true;
    server.route("/setup.sh", reply);
    bool swapped = false;
    whenever(window.get(), [&] {
        if (!info().endsWith(" bytes")) return false;
        swapped = !window->getbutton->isEnabled() && window->abortbutton->isEnabled();
        QTest::mouseClick(window->abortbutton, Qt::LeftButton);
        return true;
    });
    download(server.url("/setup.sh"));
    EXPECT_TRUE(swapped) << "the buttons are swapped while the download runs";
    EXPECT_EQ(info(), "Download Aborted");
    EXPECT_EQ(info3(), "Download Aborted");
    EXPECT_TRUE(buttonsIdle());
    EXPECT_EQ(installerArguments(300), "");
    EXPECT_EQ(closes, 0);
}

TEST_F(DownloadTest, StopDownloadBeforeAnyDownloadShowsItsTextsAndChangesNothingElse) {
    QTest::mouseClick(window->abortbutton, Qt::LeftButton);
    EXPECT_EQ(info(), "Download has been aborted.");
    EXPECT_EQ(info3(), "Download Aborted");
    EXPECT_TRUE(window->getbutton->isEnabled());
    EXPECT_TRUE(window->abortbutton->isEnabled());
    EXPECT_TRUE(server.requests().isEmpty());
    server.route("/setup.sh", {"200 OK", {}, kRecorder});
    download(server.url("/setup.sh"));
    EXPECT_EQ(info(), QString("Received %1 bytes").arg(kRecorder.size()));
    EXPECT_EQ(installerArguments(), kThreeArguments);
}

TEST_F(DownloadTest, AnInstallerThatCannotStartIsReportedAndTheGameStays) {
    server.route("/setup.exe", {"200 OK", {}, "MZ this is no program for this system"});
    download(server.url("/setup.exe"));
    EXPECT_EQ(boxes, QStringList{"An Error has Occurred."});
    EXPECT_EQ(closes, 0);
}

TEST_F(DownloadTest, AFileThatCannotBeCreatedIsReportedAndNothingElseChanges) {
    ASSERT_TRUE(QDir(folder.path()).mkdir("setup.sh"));
    server.route("/setup.sh", {"200 OK", {}, kRecorder});
    download(server.url("/setup.sh"));
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].startsWith("Cannot create file")) << boxes[0].toStdString();
    EXPECT_TRUE(window->getbutton->isEnabled());
    EXPECT_TRUE(window->abortbutton->isEnabled());
    EXPECT_EQ(info(), "");
    EXPECT_TRUE(server.requests().isEmpty());
}

TEST_F(DownloadTest, PlaySoloHidesTheWindow) {
    QTest::mouseClick(window->Button1, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(closes, 0);
}

TEST_F(DownloadTest, PlayWithOthersWithoutALobbyShowsTheMessageThenOffersToHostOrJoin) {
    QTest::mouseClick(window->Button2, Qt::LeftButton);
    EXPECT_EQ(boxes, QStringList{"Please close the game and open the Vant11 Lobby using the icon "
                                 "on your desktop or using the your Window's start-up menu."});
    EXPECT_EQ(offers, 1);
    EXPECT_EQ(closes, 0);
}

TEST_F(DownloadTest, PlayWithOthersStartsAnInstalledLobbyAndCloses) {
    window->lobbyPath = folder.filePath("Vant11Lobby");
    QFile lobby(window->lobbyPath);
    ASSERT_TRUE(lobby.open(QIODevice::WriteOnly));
    lobby.write("#!/bin/sh\necho \"started $#\" > \"$(dirname \"$0\")/args.txt\"\n");
    lobby.close();
    lobby.setPermissions(lobby.permissions() | QFile::ExeOwner);
    QTest::mouseClick(window->Button2, Qt::LeftButton);
    EXPECT_EQ(installerArguments(), "started 0\n") << "the lobby starts without arguments";
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(offers, 0);
}

TEST_F(DownloadTest, ItsMessageBoxesOpenAsItsOwnChildrenAboveIt) {
    platform::setBoxPresenter({});  // the real boxes
    QList<QPair<QWidget*, QString>> shown;
    whenever(window.get(), [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return false;
        shown << qMakePair(box->parentWidget(), box->text());
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        return shown.size() == 2;
    });
    QTest::mouseClick(window->Button2, Qt::LeftButton);
    ASSERT_TRUE(QDir(folder.path()).mkdir("setup.sh"));
    download(server.url("/setup.sh"));
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0].first, window.get());
    EXPECT_TRUE(shown[0].second.startsWith("Please close the game"));
    EXPECT_EQ(shown[1].first, window.get());
    EXPECT_TRUE(shown[1].second.startsWith("Cannot create file"));
}

TEST(DownloadAddress, TheEnvironmentOverridesTheBuildsAddress) {
    qunsetenv("QUIVELO_INSTALLER_URL");
    EXPECT_EQ(Tdownload().HttpCli1->URL, QUIVELO_INSTALLER_URL);
    qputenv("QUIVELO_INSTALLER_URL", "http://127.0.0.1:1/mirror/setup.exe");
    EXPECT_EQ(Tdownload().HttpCli1->URL, "http://127.0.0.1:1/mirror/setup.exe");
    qunsetenv("QUIVELO_INSTALLER_URL");
}

}  // namespace
