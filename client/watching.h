#pragma once

#include <QByteArray>

class QPoint;
class Tchat;

// Players who only watch and the spies: "Just Watch", whose check mark follows the
// host's confirmation; the eyes beside a watching player's name; and the hosting
// player's removal of a player (the name labels' pop-up) or a spy (the spy list).
class Watching {
  public:
    explicit Watching(Tchat& window);
    // Once all windows exist: the spy list's removal reaches the host.
    void connectSpyList();

    void JustWatch1Click(bool checkedByTheClick);
    void justwatching(const QByteArray& data);
    void label_playername1ContextPopup(int seat, const QPoint& at);
    void RemoveFromGame1Click();

  private:
    void remove(int seat);

    Tchat& w_;
    int popupSeat_ = 0;  // the seat of the name label the pop-up was opened on
};
