// The host-or-join dialog: what it asks, what it refuses, what it keeps, and how
// the main window and the download window offer it.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "client/hostjoindialog.h"
#include "client/tchat.h"
#include "download/tdownload.h"
#include "platform/inifile.h"
#include "tests/client/windowfixture.h"
#include "tests/support/eventloop.h"

using testsupport::waitUntil;

namespace {

QString setting(const QString& key) {
    return platform::settingsFile().readString("Quivelo", key, "<none>");
}

void type(QLineEdit* edit, const QString& text) {
    edit->clear();
    QTest::keyClicks(edit, text);
}

}  // namespace

class HostJoinTest : public WindowTest {};

TEST_F(HostJoinTest, HostingAsksOnlyForTheNameAndShowsWhereOthersJoin) {
    HostJoinDialog dialog(HostJoinDialog::Role::Host);
    dialog.show();
    EXPECT_TRUE(dialog.hostChoice->isChecked());
    EXPECT_FALSE(dialog.addressEdit->isEnabled());
    EXPECT_TRUE(dialog.addressesLabel->isVisible());
    EXPECT_EQ(dialog.addressesLabel->text(), "Others join your game at:\n" + joinableAddresses());
    EXPECT_EQ(dialog.okButton->text(), "Host");
    type(dialog.nameEdit, "Ann");
    QTest::mouseClick(dialog.okButton, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.arguments(), (QStringList{"Ann", "127.0.0.1", "true"}));
    EXPECT_EQ(setting("Playername"), "Ann");
    EXPECT_EQ(setting("Lasthost"), "<none>") << "hosting keeps no host address";
}

TEST_F(HostJoinTest, TheJoinableAddressesLeaveOutThisMachinesOwnLoopback) {
    const QStringList lines = joinableAddresses().split('\n');
    ASSERT_FALSE(lines.isEmpty());
    for (const QString& line : lines)
        if (!line.contains("this machine only")) {
            EXPECT_FALSE(line.startsWith("127.")) << line.toStdString();
        }
}

TEST_F(HostJoinTest, JoiningKeepsTheNameAndHostAndOffersThemNextTime) {
    {
        HostJoinDialog dialog(HostJoinDialog::Role::Join);
        dialog.show();
        EXPECT_TRUE(dialog.addressEdit->isEnabled());
        EXPECT_FALSE(dialog.addressesLabel->isVisible());
        EXPECT_EQ(dialog.okButton->text(), "Join");
        type(dialog.nameEdit, "  Bob ");
        type(dialog.addressEdit, "192.0.2.7");
        QTest::mouseClick(dialog.okButton, Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.arguments(), (QStringList{"Bob", "192.0.2.7", "false"}));
    }
    EXPECT_EQ(setting("Playername"), "Bob");
    EXPECT_EQ(setting("Lasthost"), "192.0.2.7");
    HostJoinDialog again(HostJoinDialog::Role::Join);
    EXPECT_EQ(again.nameEdit->text(), "Bob");
    EXPECT_EQ(again.addressEdit->text(), "192.0.2.7");
}

TEST_F(HostJoinTest, RefusesWhatCannotStartAGameAndKeepsNothing) {
    const QList<QStringList> refused = {
        {"", "192.0.2.7", "Please type your name."},
        {"-style", "192.0.2.7", "A name cannot start with \"-\"."},
        {"Ann", "", "Please type the host's address."},
        {"Ann", "192.0.2.7 x", "That is no address."},
    };
    for (const QStringList& r : refused) {
        HostJoinDialog dialog(HostJoinDialog::Role::Join);
        dialog.show();
        type(dialog.nameEdit, r[0]);
        type(dialog.addressEdit, r[1]);
        QTest::mouseClick(dialog.okButton, Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible()) << r.join('|').toStdString();
        EXPECT_EQ(dialog.problemLabel->text(), r[2]);
    }
    EXPECT_EQ(setting("Playername"), "<none>");
}

TEST_F(HostJoinTest, CancelKeepsNothing) {
    HostJoinDialog dialog(HostJoinDialog::Role::Join);
    dialog.show();
    type(dialog.nameEdit, "Ann");
    type(dialog.addressEdit, "192.0.2.7");
    QTest::mouseClick(dialog.cancelButton, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(setting("Playername"), "<none>");
}

TEST_F(HostJoinTest, TheFileMenuOffersHostingAndJoining) {
    createWindows({"Ann"});
    w().show();
    QMenu* file = nullptr;
    for (QAction* a : w().menuBar()->actions())
        if (a->text() == "File") file = a->menu();
    ASSERT_TRUE(file);
    QStringList captions;
    for (QAction* a : file->actions())
        captions << a->text();
    EXPECT_TRUE(captions.contains("Host a Game…") && captions.contains("Join a Game…"));
    file->popup(QPoint(0, 0));
    ASSERT_TRUE(waitUntil([&] { return file->isVisible(); }));
    QTest::mouseClick(file, Qt::LeftButton, {}, file->actionGeometry(w().JoinAGame1).center());
    HostJoinDialog* dialog = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (dialog = w().findChild<HostJoinDialog*>()); }));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->joinChoice->isChecked());
    QTest::mouseClick(dialog->cancelButton, Qt::LeftButton);
    EXPECT_TRUE(w().isVisible()) << "cancelling changes nothing";
}

TEST_F(SoloTest, PlayWithOthersWithoutALobbyOffersTheDialogOverTheDownloadWindow) {
    Tdownload* download = set->windows.download;
    download->lobbyPath = folder.filePath("no-lobby");
    download->show();
    QTest::mouseClick(download->Button2, Qt::LeftButton);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].startsWith("Please close the game"));
    auto* dialog = download->findChild<HostJoinDialog*>();
    ASSERT_TRUE(dialog) << "the dialog is the download window's own, so it opens above it";
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->joinChoice->isChecked());
}
