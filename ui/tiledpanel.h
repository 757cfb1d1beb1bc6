#pragma once

#include <QPixmap>
#include <QWidget>

namespace ui {

// A plain container whose background is a picture repeated across it, or a flat
// colour when it has no picture.
class TiledPanel : public QWidget {
    Q_OBJECT
  public:
    explicit TiledPanel(QWidget* parent = nullptr, QColor colour = Qt::black);

    void setTile(const QPixmap& tile);
    const QPixmap& tile() const { return tile_; }
    // A border drawn inside the edge; no pen means none.
    void setBorder(const QColor& colour) {
        border_ = colour;
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    QPixmap tile_;
    QColor colour_;
    QColor border_;
};

}  // namespace ui
