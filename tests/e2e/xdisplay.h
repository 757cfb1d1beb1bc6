#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// A private X server (Xvfb) for tests that drive a real window the way a player
// does, with xdotool's pointer and keys.
class XDisplay {
  public:
    XDisplay();
    ~XDisplay();

    // False when Xvfb or xdotool is missing or the server did not come up.
    bool ready() const { return !name_.isEmpty(); }
    const QString& name() const { return name_; }  // ":N"

    // Runs xdotool with these arguments on this display; its output, trimmed.
    QString xdotool(const QStringList& arguments);
    // The first window whose title is exactly `title`, waiting for it to appear.
    QString window(const QString& title, int ms = 10000);
    // A left click at a point of a window, in the window's own coordinates.
    void click(const QString& window, int x, int y);
    void type(const QString& text);
    void keys(const QStringList& keys);

  private:
    QProcess server_;
    QString name_;
};
