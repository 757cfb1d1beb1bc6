// Watching, spies and removal, through the real window: against a host played by
// the test, and against the real host of a hosting copy.
#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTest>

#include "client/tchat.h"
#include "client/tspylist.h"
#include "host/tserver.h"
#include "tests/client/windowfixture.h"
#include "tests/support/eventloop.h"
#include "tests/support/peer.h"

using testsupport::spin;
using testsupport::waitUntil;

namespace {

// A menu command as the menu gives it, from the event loop.
void choose(QAction* item) {
    QMetaObject::invokeMethod(item, &QAction::trigger, Qt::QueuedConnection);
    QCoreApplication::processEvents();
}

// Right-clicks a widget through its window, as the window system delivers a click
// (pop-up menus open on the context-menu event that follows it); returns the pop-up
// menu that opened, if any.
QMenu* rightClick(QWidget* widget, QPoint at = {}) {
    if (at.isNull()) at = widget->rect().center();
    QWidget* top = widget->window();
    QTest::mouseClick(top->windowHandle(), Qt::RightButton, {}, widget->mapTo(top, at));
    QMenu* open = nullptr;
    waitUntil(
        [&] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* menu = qobject_cast<QMenu*>(top); menu && menu->isVisible()) open = menu;
            return open != nullptr;
        },
        2000);
    return open;
}

// Moves the pointer over a widget through its window, as the window system does.
void pointAt(QWidget* widget, QPoint at) {
    QWidget* top = widget->window();
    QTest::mouseMove(top->windowHandle(), widget->mapTo(top, at));
    QCoreApplication::processEvents();
}

void clickItem(QMenu* menu, QAction* item) {
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    QCoreApplication::processEvents();
}

// Whether "Remove From Game" is offered on a seat's name label; closes the menu.
bool removalOffered(Tchat& w, int seat) {
    QMenu* menu = rightClick(w.control<QLabel>("label_playername", seat));
    if (!menu) return false;
    const bool on = w.RemoveFromGame1->isEnabled();
    menu->hide();
    return on;
}

// A second player or a spy of the real host.
std::unique_ptr<TestClient> joinAs(quint16 port, const QByteArray& name) {
    auto c = std::make_unique<TestClient>();
    if (!c->connectTo(port)) return nullptr;
    const QByteArray ask = c->waitFor("CMD_sendlogininfo");
    c->send("CMD_logininfo+" + ask.mid(ask.indexOf('+') + 1) + "+2.0.10+" + name);
    return c;
}

}  // namespace

TEST_F(FakeHostTest, JustWatchChangesItsMarkOnlyWhenTheHostConfirms) {
    joinAs("Ann", 1);
    hostSendsAll({"CMD_newplayerinfo+1+Ann", "CMD_existingplayers+2+Bob"});
    choose(w().JustWatch1);
    EXPECT_EQ(requests(), QList<QByteArray>({"CMD_justwatch+1+1"}));
    EXPECT_FALSE(w().JustWatch1->isChecked()) << "not before the host says so";
    EXPECT_FALSE(visible("image_eyes1"));

    hostSendsAll({"CMD_justwatching+1+1", "CMD_justwatching+2+1", "CMD_justwatching+6+1"});
    EXPECT_TRUE(w().JustWatch1->isChecked());
    EXPECT_TRUE(visible("image_eyes1"));
    EXPECT_TRUE(visible("image_eyes2"));
    EXPECT_TRUE(chatLines().contains("Ann is just watching"));
    EXPECT_TRUE(chatLines().contains("Bob is just watching"));
    EXPECT_EQ(chatLines().filter("watching").size(), 2) << "seat 6 changes nothing";

    choose(w().JustWatch1);
    EXPECT_EQ(requests(), QList<QByteArray>({"CMD_justwatch+1+2"}));
    EXPECT_TRUE(w().JustWatch1->isChecked());
    hostSendsAll({"CMD_justwatching+2+2"});
    EXPECT_FALSE(visible("image_eyes2"));
    EXPECT_TRUE(chatLines().contains("Bob now playing again"));
    EXPECT_TRUE(w().JustWatch1->isChecked()) << "another seat's change is not ours";

    hostSendsAll({"CMD_startgame+1+n"});
    EXPECT_FALSE(w().JustWatch1->isChecked()) << "a new game starts everybody playing";
    EXPECT_FALSE(visible("image_eyes1"));
}

TEST_F(FakeHostTest, SpiesAndCopiesWithoutALoginCannotWatch) {
    joinAs("Eve", 6);
    choose(w().JustWatch1);
    EXPECT_TRUE(requests().isEmpty());
    EXPECT_FALSE(w().JustWatch1->isChecked());
}

TEST_F(FakeHostTest, AJoinedCopyOffersNoRemoval) {
    joinAs("Ann", 2);
    hostSendsAll({"CMD_newplayerinfo+2+Ann", "CMD_existingplayers+1+Bob",
                  "CMD_existingplayers+3+Cat", "CMD_existingplayers+6+Eve"});
    for (int seat = 1; seat <= 4; ++seat)
        EXPECT_FALSE(removalOffered(w(), seat)) << seat;
    Tspylist* spies = set->windows.spylist;
    spies->show();
    QMenu* menu = rightClick(spies->listbox_spys->viewport());
    ASSERT_TRUE(menu);
    EXPECT_FALSE(spies->popup_kickhim->isEnabled());
    menu->hide();
}

TEST_F(SoloTest, TheHostingPlayerRemovesAPlayerButNeverVuziOrAnEmptySeat) {
    auto bob = joinAs(port(), "Bob");
    ASSERT_TRUE(bob);
    ASSERT_TRUE(waitUntil([&] { return text("label_playername2") == "Bob"; }));
    EXPECT_TRUE(removalOffered(w(), 1)) << "even the own name";
    EXPECT_TRUE(removalOffered(w(), 2));
    EXPECT_FALSE(removalOffered(w(), 3)) << "<Waiting>";

    QMenu* menu = rightClick(w().control<QLabel>("label_playername", 2));
    ASSERT_TRUE(menu);
    clickItem(menu, w().RemoveFromGame1);
    ASSERT_TRUE(waitUntil([&] { return bob->closedByPeer(); }));
    ASSERT_TRUE(waitUntil([&] { return text("label_playername2") == "Vuzi"; }));
    EXPECT_TRUE(chatLines().contains("Bob disconnected."));
    EXPECT_FALSE(removalOffered(w(), 2)) << "Vuzi";
}

TEST_F(SoloTest, JustWatchShowsTheEyesOnEveryClient) {
    auto bob = joinAs(port(), "Bob");
    ASSERT_TRUE(bob);
    ASSERT_TRUE(waitUntil([&] { return text("label_playername2") == "Bob"; }));
    choose(w().JustWatch1);
    EXPECT_EQ(bob->waitFor("CMD_justwatching"), "CMD_justwatching+1+1");
    ASSERT_TRUE(waitUntil([&] { return w().JustWatch1->isChecked(); }));
    EXPECT_TRUE(visible("image_eyes1"));
}

TEST_F(SoloTest, TheSpyRemovedIsTheOneUnderThePointer) {
    std::vector<std::unique_ptr<TestClient>> peers;
    for (const char* name : {"Bob", "Cat", "Dan", "Eve", "Fay"}) {
        peers.push_back(joinAs(port(), name));
        ASSERT_TRUE(peers.back());
    }
    Tspylist* spies = set->windows.spylist;
    ASSERT_TRUE(waitUntil([&] { return spies->entries().size() == 2; }));
    spies->addSpy("x: not a seat");
    spies->show();
    QListWidget* list = spies->listbox_spys;
    const int eve = int(spies->entries().indexOf("5: Eve"));
    const int fay = int(spies->entries().indexOf("6: Fay"));
    const int junk = int(spies->entries().indexOf("x: not a seat"));
    ASSERT_GE(eve, 0);
    ASSERT_GE(fay, 0);

    // The pointer rests on the entry that is not a seat: nobody goes.
    const QPoint junkAt = list->visualItemRect(list->item(junk)).center();
    pointAt(list->viewport(), junkAt);
    QMenu* menu = rightClick(list->viewport(), junkAt);
    ASSERT_TRUE(menu);
    EXPECT_TRUE(spies->popup_kickhim->isEnabled());
    clickItem(menu, spies->popup_kickhim);
    spin(200);
    for (auto& p : peers)
        EXPECT_FALSE(p->closedByPeer());

    // Eve is selected, the pointer is on Fay: Fay goes.
    list->setCurrentRow(eve);
    const QPoint fayAt = list->visualItemRect(list->item(fay)).center();
    pointAt(list->viewport(), fayAt);
    menu = rightClick(list->viewport(), fayAt);
    ASSERT_TRUE(menu);
    clickItem(menu, spies->popup_kickhim);
    ASSERT_TRUE(waitUntil([&] { return peers[4]->closedByPeer(); }));
    EXPECT_FALSE(peers[3]->closedByPeer());
    ASSERT_TRUE(waitUntil([&] { return !spies->entries().contains("6: Fay"); }));
    EXPECT_TRUE(spies->entries().contains("5: Eve"));
}
