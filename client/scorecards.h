#pragma once

#include <QByteArray>
#include <QPainter>
#include <QString>

class Tchat;
class ScoreCard;

// The score cards, the score labels and the winner panel: the client mirrors each
// seat's marks from the completed darts and shows the scores the host sends.
class ScoreCards {
  public:
    explicit ScoreCards(Tchat& window);

    void postscore(int seat, const QString& dart);
    void stringgrid_player1DrawCell(QPainter& p, ScoreCard& card, int column, int row, QRect rect);
    void endturn(const QByteArray& data);
    void winner(const QByteArray& data);
    void redraw(int seat);

  private:
    Tchat& w_;
};
