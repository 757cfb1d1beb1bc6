#pragma once

#include <QRect>
#include <QWidget>
#include <functional>

// A score card: an owner-drawn grid of 7 columns by 2 rows, cells 15 x 16 with grid
// lines; row 0 holds the number headings, row 1 the marks. Its tag is its seat.
class ScoreCard : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kColumns = 7;
    static constexpr int kRows = 2;
    static constexpr int kCellWidth = 15;
    static constexpr int kCellHeight = 16;

    ScoreCard(int seat, QWidget* parent = nullptr);

    int tag() const { return seat_; }
    QRect cellRect(int column, int row) const;

    // Draws one cell; the window's card drawing is put here.
    std::function<void(QPainter&, ScoreCard& card, int column, int row, QRect rect)> onDrawCell;

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    int seat_;
};
