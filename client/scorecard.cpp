#include "client/scorecard.h"

#include <QPainter>

ScoreCard::ScoreCard(int seat, QWidget* parent) : QWidget(parent), seat_(seat) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QRect ScoreCard::cellRect(int column, int row) const {
    return {1 + column * (kCellWidth + 1), 1 + row * (kCellHeight + 1), kCellWidth, kCellHeight};
}

void ScoreCard::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0, 96, 0));  // the grid lines show between the cells
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < kColumns; ++column) {
            const QRect cell = cellRect(column, row);
            p.save();
            p.setClipRect(cell);
            if (onDrawCell) onDrawCell(p, *this, column, row, cell);
            p.restore();
        }
}
