#include "client/scorecards.h"

#include <QLabel>

#include "client/diceboard.h"
#include "client/scorecard.h"
#include "client/sounds.h"
#include "client/tchat.h"
#include "client/windows.h"
#include "net/protocol.h"
#include "tally/ttallylist.h"

using protocol::Fields;
using protocol::Msg;

namespace {
constexpr int kClosed = 3;
constexpr int kBullColumn = 6;
}  // namespace

ScoreCards::ScoreCards(Tchat& window) : w_(window) {
    for (int seat = 1; seat <= 4; ++seat)
        w_.control<ScoreCard>("stringgrid_player", seat)->onDrawCell =
            [this](QPainter& p, ScoreCard& card, int column, int row, QRect rect) {
                stringgrid_player1DrawCell(p, card, column, row, rect);
            };
}

void ScoreCards::redraw(int seat) {
    w_.control<QWidget>("stringgrid_player", seat)->update();
}

void ScoreCards::postscore(int seat, const QString& dart) {
    if (seat < 1 || seat > 4) return;
    auto& marks = w_.state().cardmarks[size_t(seat - 1)];
    if (dart == "Bull") {
        marks[kBullColumn] = qMin(kClosed, marks[kBullColumn] + 1);
    } else if (dart == "dBull") {
        marks[kBullColumn] = qMin(kClosed, marks[kBullColumn] + 2);
    } else {
        bool isNumber = false;
        const int v = dart.toInt(&isNumber);
        if (isNumber && v >= 15 && v <= 20 && marks[size_t(v - 15)] < kClosed)
            ++marks[size_t(v - 15)];
    }
    redraw(seat);
}

void ScoreCards::stringgrid_player1DrawCell(QPainter& p, ScoreCard& card, int column, int row,
                                            QRect rect) {
    const int m = w_.state().cardmarks[size_t(card.tag() - 1)][size_t(column)];
    p.fillRect(rect, Qt::black);
    const ImageLists& lists = w_.imageLists();
    p.drawPixmap(rect.topLeft(),
                 row == 0 ? lists.imagelist_numbers.at(column) : lists.imagelist_lights.at(m));
}

void ScoreCards::endturn(const QByteArray& data) {
    Fields f(Msg::endturn, data);
    const int seat = f.number(0);
    const int score = f.number(1);  // the darts were marked one by one as they landed
    if (seat < 1 || seat > 4) return;
    w_.control<QLabel>("label_score", seat)->setText(QString::number(score));
}

void ScoreCards::winner(const QByteArray& data) {
    const QString names = Fields(Msg::winner, data).text(0);
    w_.sounds().playsounds("winner");
    w_.control<QWidget>("button_autoplace")->hide();
    w_.control<QWidget>("button_throwdarts")->hide();
    const bool team = names.contains(" and ");
    w_.addlinetochat(names + (team ? " have Won the Game!" : " has Won the Game!"),
                     Tchat::systemColour());
    w_.control<QLabel>("label_winner1")->setText(names);
    w_.control<QLabel>("label_winner2")->setText(names);
    QWidget* panel = w_.control<QWidget>("panel_winner");
    panel->raise();  // over the dice lying on the darts
    panel->show();

    // Watchers do not tally, nor do team games.
    const int seat = w_.state().myseat;
    Ttallylist* tally = w_.windows().tallylist;
    if (seat < 1 || seat > 4 || !tally || !tally->hasCurrentPlayers() || team) return;
    const bool mine = names == w_.control<QLabel>("label_playername", seat)->text();
    tally->addgame(mine ? QString(tally::TallyStore::kOwnWin) : names);
}
