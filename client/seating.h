#pragma once

#include <QByteArray>
#include <QString>

class Tchat;
class TSock;
enum class TSocketInfo;

// Who sits where, as the host announces it: the login reply, arrivals and
// departures of players and spies, the full game, the version notices, the board
// of a game already running, the board reset, and the lost connection.
class Seating {
  public:
    explicit Seating(Tchat& window);

    void sendloginfo(const QByteArray& seatText);
    void newplayerinfo(const QByteArray& data);
    void playerdisconnected(const QByteArray& data);
    void loadboard(const QByteArray& data);
    void full();
    void havewrongversion(const QByteArray& data);
    void wrongversion();
    void clearall();
    void sockInfo(TSock* sender, TSocketInfo info, const QString& text);

  private:
    void notice(const QString& text);

    Tchat& w_;
};
