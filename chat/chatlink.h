#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>
#include <functional>

// What the chat needs of the game connection: whether the host has asked for the
// login, the seat it gave, and a way to send. Lines go out as chat or action
// requests carrying the sender's colour.
struct ChatLink {
    std::function<bool()> loggedIn;
    std::function<int()> seat;
    std::function<void(const QByteArray&)> send;

    void chat(const QString& text, const QColor& colour) const;
    void action(const QString& text, const QColor& colour) const;
};
