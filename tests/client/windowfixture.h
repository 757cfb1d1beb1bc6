#pragma once

#include <gtest/gtest.h>

#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <memory>

#include "client/clientstate.h"
#include "client/windowset.h"

class Tchat;
class QLabel;

// The real program windows, with message boxes and sounds recorded instead of shown
// and played, in a program folder and runtime folder of their own.
class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the windows for these arguments; the lobby link goes nowhere.
    void createWindows(const QStringList& arguments);

    Tchat& w() { return *set->windows.chat; }
    ClientState& state();
    QString text(const QString& label);
    bool visible(const QString& control);
    QStringList chatLines();

    std::unique_ptr<WindowSet> set;
    QStringList boxes;
    QStringList sounds;
    QTemporaryDir folder;
};

// The window joins a host the test plays itself: every line the host sends is
// written here, and every request the window sends can be read back.
class FakeHostTest : public WindowTest {
  protected:
    void SetUp() override;

    // Starts the window joined as `name` and logs it into `seat`.
    void joinAs(const QString& name, int seat);
    void hostSends(const QByteArray& lineWithoutEnd);
    // Sends the lines and waits until the window has handled them all.
    void hostSendsAll(const QList<QByteArray>& lines);
    // The requests the window sent since the last call.
    QList<QByteArray> requests(int waitMs = 50);

    QTcpServer host;
    QTcpSocket* link = nullptr;
    QByteArray fromWindow;
};

// The window hosts a solo game on a real host (any free port).
class SoloTest : public WindowTest {
  protected:
    void SetUp() override;
    quint16 port() const;
};
