#pragma once

#include <QByteArray>
#include <QPoint>
#include <QString>
#include <array>

class Tchat;

// The client side of a turn: whose turn it is, the throw and autoplace buttons, the
// twelve dice scattered on the dice panel, the clicks that ask for a placement, and
// each die moving onto its dart. The board changes only when the host announces.
class DiceBoard {
  public:
    explicit DiceBoard(Tchat& window);

    void StartGame1Click();
    void StartTeamGame1Click();
    void startthegame(const QByteArray& data);
    void getnextplayer(const QByteArray& data);
    void button_throwdartsClick();
    void button_autoplaceClick();
    void loaddice(const QByteArray& data);
    void cleardarts();
    void image_dice1MouseDown(int die, Qt::MouseButton button);
    void placedice(const QByteArray& data);

    bool clickable(int die) const { return clickable_[size_t(die - 1)]; }
    bool occupied(int dart, int slot) const { return occupied_[size_t((dart - 1) * 4 + slot - 1)]; }

    // Where the thrown-dart picture of a completed dart of this value sits.
    static QPoint throwndartPlace(const QString& value);

  private:
    void requestStart(const char* kind);
    void placeDie(int die);
    QString caption(int seat) const;

    Tchat& w_;
    std::array<bool, 12> clickable_{};
    std::array<bool, 12> occupied_{};
    int throws_ = 0;
    // Dice were rolled before this client saw any turn: a newcomer in the seat
    // whose turn runs is shown them, and finishes that turn without a throw.
    bool rolledBeforeTurn_ = false;
};
