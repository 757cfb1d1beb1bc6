// The settings file and the chat options, with the real window against a host
// played by the test, on a real "vantlobby.ini" in the program folder.
#include <sys/resource.h>

#include <QAction>
#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <csignal>

#include "chat/chatdisplay.h"
#include "chat/chatinput.h"
#include "chat/phrasebuttons.h"
#include "chat/tphrases.h"
#include "client/startup.h"
#include "client/tchat.h"
#include "platform/inifile.h"
#include "tests/client/windowfixture.h"
#include "tests/support/eventloop.h"

using testsupport::waitUntil;

namespace {

class SettingsTest : public FakeHostTest {
  protected:
    QString iniPath() { return folder.filePath("vantlobby.ini"); }
    void writeIni(const QByteArray& bytes) {
        QFile f(iniPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray ini() {
        QFile f(iniPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString value(const char* key) {
        return platform::IniFile(iniPath()).readString("Quivelo", key, "<none>");
    }
    // Logs in as seat 1 and has the host announce it, which loads the settings.
    void arrive() {
        joinAs("Ann", 1);
        hostSendsAll({"CMD_newplayerinfo+1+Ann"});
    }
    // A menu command as the menu gives it: from the event loop, whose error box
    // shows what it raises.
    void choose(QAction* item) {
        QMetaObject::invokeMethod(item, &QAction::trigger, Qt::QueuedConnection);
        QCoreApplication::processEvents();
    }
    QAction* sizeEntry(int points) {
        return w().findChild<QAction*>(QString("TextSize%1").arg(points));
    }
    QStringList checkedSizes() {
        QStringList on;
        for (QAction* a : w().TextSize1->actions())
            if (a->isChecked()) on << a->text();
        return on;
    }
    // Answers the colour chooser that is about to open.
    void chooseColour(const QColor& colour, bool confirm) {
        QTimer::singleShot(0, [=] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QColorDialog*>(top);
                    dialog && dialog->isVisible()) {
                    dialog->setCurrentColor(colour);
                    confirm ? dialog->accept() : dialog->reject();
                }
        });
    }
};

}  // namespace

TEST_F(SettingsTest, WithoutAFileTheBuiltInValuesStay) {
    arrive();
    EXPECT_EQ(w().mainchat->fontSize(), 8);
    EXPECT_EQ(w().chatInput().textColour(), QColor(0, 255, 0));
    EXPECT_EQ(w().chatInput().actionColour(), QColor(0, 255, 0)) << "the default text is cllime";
    EXPECT_TRUE(w().PlaySounds1->isChecked());
    EXPECT_TRUE(w().PlayVoiceSounds1->isChecked());
    EXPECT_EQ(w().phraseButtons().phrases(), PhraseButtons::builtIn());
    EXPECT_EQ(checkedSizes(), QStringList({"8"}));
    EXPECT_FALSE(QFile::exists(iniPath())) << "a load writes nothing";
}

TEST_F(SettingsTest, TheStoredChoicesTakeEffectWhenTheOwnSeatIsAnnounced) {
    writeIni(
        "[Other]\r\nTextsize=14\r\n[quivelo]\r\ntextsize=0x0C\r\nTEXTCOLOR=clRed\r\n"
        "Actioncolor=purple-ish\r\nPhrase1=Hi there\r\nPhrase3=\r\nPhrase10=false\r\n");
    joinAs("Ann", 1);
    EXPECT_EQ(w().mainchat->fontSize(), 8) << "nothing is read before the own arrival";
    hostSendsAll({"CMD_newplayerinfo+1+Ann"});
    EXPECT_EQ(w().mainchat->fontSize(), 12);
    EXPECT_EQ(checkedSizes(), QStringList({"12"}));
    EXPECT_EQ(w().chatInput().textColour(), QColor(255, 0, 0));
    EXPECT_EQ(w().mychat->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(w().chatInput().actionColour(), QColor(255, 255, 255)) << "unreadable: white";
    EXPECT_EQ(w().phraseButtons().phrase(1), "Hi there");
    EXPECT_EQ(w().phraseButtons().phrase(3), "Nice Try!") << "an empty value keeps the built-in";
    // No switch keys: "Playsounds" falls back on the tenth phrase, "Playvoiceovers" on it.
    EXPECT_FALSE(w().PlaySounds1->isChecked());
    EXPECT_FALSE(w().PlayVoiceSounds1->isChecked());
}

TEST_F(SettingsTest, OnlyTheExactFalseSwitchesASoundOff) {
    writeIni("[Quivelo]\nPlaysounds=False\nPlayvoiceovers=false\nTextsize=11\n");
    arrive();
    EXPECT_TRUE(w().PlaySounds1->isChecked());
    EXPECT_FALSE(w().PlayVoiceSounds1->isChecked());
    EXPECT_EQ(w().mainchat->fontSize(), 11);
    EXPECT_TRUE(checkedSizes().isEmpty()) << "11 is not an entry";
}

TEST_F(SettingsTest, AnUnreadableTextSizeGivesEight) {
    for (const char* size : {"big", "0", "-3", "73", "100000"}) {
        writeIni(QByteArray("[Quivelo]\nTextsize=") + size + "\n");
        arrive();
        EXPECT_EQ(w().mainchat->fontSize(), 8) << size;
        set.reset();
    }
}

TEST_F(SettingsTest, ASaveBeforeTheLoginWritesTheBuiltInValues) {
    writeIni("[Quivelo]\r\nTextcolor=clRed\r\nActioncolor=clBlue\r\nPhrase2=Kept\r\n");
    createWindows({"Ann", "127.0.0.1", "false"});
    sizeEntry(10)->trigger();
    EXPECT_EQ(value("Textsize"), "10");
    EXPECT_EQ(value("Textcolor"), "clLime");
    EXPECT_EQ(value("Actioncolor"), "clWhite");
    EXPECT_EQ(value("Playsounds"), "true");
    EXPECT_EQ(value("Playvoiceovers"), "true");
    EXPECT_EQ(value("Phrase2"), "Kept") << "the save never writes phrases";
    EXPECT_EQ(checkedSizes(), QStringList({"10"}));
    sizeEntry(14)->trigger();
    EXPECT_EQ(checkedSizes(), QStringList({"14"})) << "the one mark moves";
    EXPECT_EQ(w().mainchat->fontSize(), 14);
}

TEST_F(SettingsTest, TheSoundSwitchesAndColourChoosersSaveAtOnce) {
    arrive();
    w().PlayVoiceSounds1->trigger();
    EXPECT_FALSE(w().PlayVoiceSounds1->isChecked());
    EXPECT_EQ(value("Playvoiceovers"), "false");
    w().PlaySounds1->trigger();
    EXPECT_EQ(value("Playsounds"), "false");

    chooseColour(QColor(0, 0, 255), false);
    w().TextColor1->trigger();
    EXPECT_EQ(w().chatInput().textColour(), QColor(0, 255, 0)) << "cancelled";
    chooseColour(QColor(0, 0, 255), true);
    w().TextColor1->trigger();
    EXPECT_EQ(w().chatInput().textColour(), QColor(0, 0, 255));
    EXPECT_EQ(value("Textcolor"), "clBlue");

    QFile::remove(iniPath());
    chooseColour(QColor(1, 2, 3), false);
    w().ActionColor1->trigger();
    EXPECT_EQ(value("Actioncolor"), "clLime") << "saved even when the chooser is cancelled";
    chooseColour(QColor(1, 2, 3), true);
    w().ActionColor1->trigger();
    EXPECT_EQ(value("Actioncolor"), "$00030201");
}

TEST_F(SettingsTest, ARefusedWriteOfTheSizeOrASwitchEndsTheSaveTheColoursDoNot) {
    arrive();
    // Writes past this many bytes fail, as on a full disk.
    writeIni("[Quivelo]\r\n");
    struct FileSizeLimit {
        rlimit old{};
        explicit FileSizeLimit(rlim_t bytes) {
            std::signal(SIGXFSZ, SIG_IGN);
            getrlimit(RLIMIT_FSIZE, &old);
            rlimit limit = old;
            limit.rlim_cur = bytes;
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old); }
    };
    boxes.clear();
    {
        const FileSizeLimit limit(27);  // room for "Textsize=8", not for a colour after it
        choose(w().PlaySounds1);
    }
    EXPECT_EQ(boxes, QStringList({"Unable to write to " + iniPath()}));
    EXPECT_EQ(ini(), "[Quivelo]\r\nTextsize=8\r\n") << "the file is whole, the rest unwritten";

    // A file that cannot be replaced at all: the first key ends the save.
    QFile::remove(iniPath());
    QDir(folder.path()).mkdir("vantlobby.ini");
    boxes.clear();
    choose(sizeEntry(12));
    EXPECT_EQ(boxes, QStringList({"Unable to write to " + iniPath()}));
    EXPECT_EQ(w().mainchat->fontSize(), 12) << "the window keeps its values";
}

TEST_F(SettingsTest, ThePhraseEditorEditsStoresAndKeepsItsLimits) {
    arrive();
    w().PhraseButtonList1->trigger();
    Tphrases* editor = set->windows.phrases;
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->phrases(), PhraseButtons::builtIn());
    ASSERT_TRUE(waitUntil([&] { return editor->phrase[0]->hasFocus(); }));
    for (int n = 2; n <= 10; ++n) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), editor->phrase[size_t(n - 1)]) << n;
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), editor->SelButton8);

    editor->phrase[0]->clear();
    QTest::keyClicks(editor->phrase[0], QString(60, 'a'));
    EXPECT_EQ(editor->phrase[0]->text().size(), 50) << "a 51st character cannot be typed";
    editor->phrase[2]->clear();
    QTest::mouseClick(editor->SelButton8, Qt::LeftButton);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(w().phraseButtons().phrase(1), QString(50, 'a'));
    EXPECT_EQ(w().phraseButtons().phrase(3), "") << "empty for the rest of the run";
    EXPECT_EQ(value("Phrase1"), QString(50, 'a'));
    EXPECT_EQ(value("Phrase3"), "");
    EXPECT_EQ(value("Phrase10"), "See ya!");

    set.reset();
    arrive();
    EXPECT_EQ(w().phraseButtons().phrase(3), "Nice Try!") << "the next login brings it back";
}

TEST_F(SettingsTest, DoneWhenTheFileCannotBeWrittenKeepsTheEditorOpen) {
    arrive();
    QDir(folder.path()).mkdir("vantlobby.ini");
    w().PhraseButtonList1->trigger();
    Tphrases* editor = set->windows.phrases;
    editor->phrase[1]->setText("Changed");
    QTest::mouseClick(editor->SelButton8, Qt::LeftButton);
    EXPECT_EQ(boxes, QStringList({"Unable to write to " + iniPath()}));
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(w().phraseButtons().phrase(2), "Changed") << "the buttons already hold it";
}

TEST_F(SettingsTest, PhraseButtonsSpeakInTheActionColourAfterTheLogin) {
    createWindows({"Ann", "127.0.0.1", "false"});
    w().startup().setGamePort(host.serverPort());
    w().show();
    ASSERT_TRUE(waitUntil([&] { return host.hasPendingConnections(); }));
    link = host.nextPendingConnection();
    QTest::mouseClick(w().control<QPushButton>("b_phrase", 2), Qt::LeftButton);
    EXPECT_TRUE(requests().isEmpty()) << "no seat to speak from before the login";
    hostSends("CMD_sendlogininfo+1");
    ASSERT_TRUE(waitUntil([&] { return state().loggedin; }));
    requests();
    QTest::mouseClick(w().control<QPushButton>("b_phrase", 2), Qt::LeftButton);
    EXPECT_EQ(requests(), QList<QByteArray>({"CMD_action+1+says: Good One!|clWhite"}));
}

TEST_F(SettingsTest, TheInputLineFollowsTheChatAreasWidth) {
    arrive();
    const QWidget* area = w().control<QWidget>("panel_chat");
    EXPECT_EQ(w().mychat->width(), area->width() - 19);
    w().resize(900, 600);
    testsupport::spin(20);
    EXPECT_EQ(w().mychat->width(), area->width() - 19);
    EXPECT_EQ(area->width(), 744 + 900 - 783);
}
