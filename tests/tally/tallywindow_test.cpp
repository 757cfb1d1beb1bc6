// The tally window: choosing opponents, recording games, deleting a tally, and the
// session columns across a restart.
#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <memory>

#include "platform/messagebox.h"
#include "tally/ttallylist.h"
#include "tests/tally/testdata.h"

namespace {

class TallyWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::setBoxPresenter([this](platform::BoxKind, const QString& text) {
            boxes << text;
            return answer;
        });
        open();
    }
    void TearDown() override {
        window.reset();
        platform::setBoxPresenter({});
    }
    void open() {
        window = std::make_unique<Ttallylist>(nullptr, path);
        QCoreApplication::processEvents();  // a failed load is reported from the event loop
    }
    void restart() {
        window.reset();
        open();
    }
    void tally(const QString& name) {
        window->loadCurrentPlayers({name});
        window->checklist->item(0)->setCheckState(Qt::Checked);  // a click on its box
    }
    QString cell(int c, int r) { return QString::fromStdString(window->store().grid().cell(c, r)); }
    QString label(const QString& name) { return window->findChild<QLabel*>(name)->text(); }
    // A real mouse click on the check box of an entry of "Players Being Tallied",
    // then whatever the click set going.
    void clickCheckBox(int row) {
        QListWidget* list = window->listbox_tally;
        QStyleOptionViewItem option;
        option.rect = list->visualItemRect(list->item(row));
        option.features =
            QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
        const QRect box =
            list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box.center());
        QCoreApplication::processEvents();
    }

    tallytest::ScratchDir dir;
    QString path = QString::fromStdString(dir.file("quivelotally.tld"));
    std::unique_ptr<Ttallylist> window;
    QStringList boxes;
    bool answer = true;
};

}  // namespace

TEST_F(TallyWindowTest, ASoloWinAgainstATalliedVuzi) {
    EXPECT_EQ(label("mylabel_1"), "0");
    EXPECT_EQ(window->listbox_tally->count(), 0);
    tally("Vuzi");
    ASSERT_EQ(window->listbox_tally->count(), 1);
    EXPECT_EQ(window->listbox_tally->item(0)->checkState(), Qt::Checked);
    window->loadchecklist = [this] { window->loadCurrentPlayers({"Vuzi"}); };
    window->addgame("addtomine");
    EXPECT_EQ(label("mylabel_1"), "1");
    EXPECT_EQ(label("mylabel_2"), "1");
    QStringList vuzi;
    for (int c = 1; c <= 8; ++c)
        vuzi << cell(c, 1);
    EXPECT_EQ(vuzi, QStringList({"1", "0", "1", "0", "1", "0", "1", "0"}));
}

TEST_F(TallyWindowTest, AGameWonByAnotherPlayer) {
    tally("Bob");
    tally("Cat");
    window->loadchecklist = [this] { window->loadCurrentPlayers({"bob", "Cat", "Dan"}); };
    window->addgame("Cat");
    EXPECT_EQ(label("mylabel_1"), "1");
    EXPECT_EQ(label("mylabel_2"), "0");
    // "bob" finds Bob's entry: the list's search ignores case.
    EXPECT_EQ(cell(1, 1), "1");
    EXPECT_EQ(cell(4, 1), "1") << "neither of them won";
    EXPECT_EQ(cell(8, 1), "1");
    EXPECT_EQ(cell(1, 2), "1");
    EXPECT_EQ(cell(2, 2), "1") << "the opponent won";
    EXPECT_EQ(cell(6, 2), "1");
}

TEST_F(TallyWindowTest, CheckingATalliedNameAgainAddsNothing) {
    tally("Bob");
    tally("Bob");
    EXPECT_EQ(window->listbox_tally->count(), 1);
    EXPECT_EQ(window->store().opponents(), 1);
    window->loadCurrentPlayers({"Bob", "Eve"});
    EXPECT_EQ(window->checklist->item(0)->checkState(), Qt::Checked)
        << "a tallied name comes checked";
    EXPECT_EQ(window->checklist->item(1)->checkState(), Qt::Unchecked);
}

TEST_F(TallyWindowTest, DeletingTheMiddleTallyByMouseAsksFirst) {
    for (const char* name : {"Ann", "Bob", "Cat"})
        tally(name);
    window->loadchecklist = [this] { window->loadCurrentPlayers({"Cat"}); };
    window->addgame("Cat");
    window->show();

    answer = false;
    clickCheckBox(1);
    EXPECT_EQ(boxes.last(), "This will delete Bob's Tally, Are you want to delete it?");
    EXPECT_EQ(window->listbox_tally->item(1)->checkState(), Qt::Checked);
    EXPECT_EQ(window->store().opponents(), 3);

    answer = true;
    const qsizetype asked = boxes.size();
    clickCheckBox(1);
    EXPECT_EQ(boxes.size(), asked + 1);
    ASSERT_EQ(window->listbox_tally->count(), 2);
    EXPECT_EQ(window->listbox_tally->item(1)->text(), "Cat");
    EXPECT_EQ(cell(0, 2), "Cat");
    EXPECT_EQ(cell(2, 2), "1");
    window.reset();  // the session's counts reach the file
    open();
    EXPECT_EQ(window->listbox_tally->count(), 2);
}

TEST_F(TallyWindowTest, ClickingAnOpponentShowsItsCounts) {
    tally("Bob");
    window->loadchecklist = [this] { window->loadCurrentPlayers({"Bob"}); };
    window->addgame("addtomine");
    window->listbox_tally->setCurrentRow(0);
    emit window->listbox_tally->itemClicked(window->listbox_tally->item(0));
    EXPECT_EQ(label("label_hisname"), "Bob Wins:");
    EXPECT_EQ(label("label_hisnametop"), "Bob's Tally");
    EXPECT_EQ(label("label_1"), "1");
    EXPECT_EQ(label("label_3"), "1");
    EXPECT_EQ(label("label_7"), "1");
    window->addgame("Bob");
    EXPECT_EQ(label("label_2"), "1") << "a recorded game refreshes the selected opponent";
}

TEST_F(TallyWindowTest, ARestartKeepsTotalsAndClearsTheSession) {
    tally("Vuzi");
    window->loadchecklist = [this] { window->loadCurrentPlayers({"Vuzi"}); };
    window->addgame("Vuzi");
    window->addit(3, 0);
    window->addit(3, 0);
    EXPECT_EQ(label("mylabel_3"), "0") << "double bulls show after the next start";
    restart();
    EXPECT_EQ(label("mylabel_1"), "1");
    EXPECT_EQ(label("mylabel_3"), "2");
    ASSERT_EQ(window->listbox_tally->count(), 1);
    EXPECT_EQ(cell(1, 1), "1");
    EXPECT_EQ(cell(2, 1), "1");
    EXPECT_EQ(cell(5, 1), "0");
    EXPECT_EQ(cell(6, 1), "0");
}

TEST_F(TallyWindowTest, AnUnreadableFileIsReportedAndKept) {
    window.reset();
    tallytest::writeFile(path.toStdString(), {'W', 'R', 'Z', 'L', 9, 0, 0, 0, 5, 0});
    open();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].startsWith("Lzrw1")) << boxes[0].toStdString();
    EXPECT_EQ(label("mylabel_1"), "0");
    window.reset();  // nothing was counted: the damaged file is left as it was
    EXPECT_TRUE(std::filesystem::exists(path.toStdString() + ".bad"));
    EXPECT_EQ(tallytest::readFile(path.toStdString()),
              tallytest::Bytes({'W', 'R', 'Z', 'L', 9, 0, 0, 0, 5, 0}));
}

TEST_F(TallyWindowTest, AGridWithoutRowsIsReportedAndTheWindowComesUpEmpty) {
    window.reset();
    tallytest::writeTally(path.toStdString(), "9\r\n0\r\n");
    EXPECT_EQ(std::filesystem::file_size(path.toStdString()), 17u);
    open();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].contains("row count 0")) << boxes[0].toStdString();
    EXPECT_TRUE(boxes[0].contains(path + ".bad")) << "the box names the copy";
    EXPECT_EQ(label("mylabel_1"), "0");
    EXPECT_EQ(window->listbox_tally->count(), 0);
}

TEST_F(TallyWindowTest, AfterAFailedLoadOnlyACountedSessionIsSaved) {
    tally("Vuzi");
    window.reset();
    const tallytest::Bytes good = tallytest::readFile(path.toStdString());
    // Not the file's fault: the scratch file for its text cannot be made.
    auto openWithoutTemporaryFolder = [this] {
        const QByteArray tmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QByteArray::fromStdString(dir.file("gone")));
        open();
        tmp.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", tmp);
    };
    openWithoutTemporaryFolder();
    ASSERT_EQ(boxes.size(), 1);
    window.reset();
    EXPECT_EQ(tallytest::readFile(path.toStdString()), good) << "the good tally survives";

    openWithoutTemporaryFolder();
    tally("Bob");  // counted in this session: worth keeping
    window.reset();
    open();
    ASSERT_EQ(window->listbox_tally->count(), 1);
    EXPECT_EQ(window->listbox_tally->item(0)->text(), "Bob");
    EXPECT_TRUE(std::filesystem::exists(path.toStdString() + ".bad"));
}
