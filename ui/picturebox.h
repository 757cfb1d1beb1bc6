#pragma once

#include <QPixmap>
#include <QWidget>
#include <functional>

namespace ui {

// A picture drawn at its top left corner, with no frame; reports mouse presses with
// their button, and left clicks as a button does (press and release inside it).
// Transparent parts of the picture show what lies behind.
class PictureBox : public QWidget {
    Q_OBJECT
  public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return picture_; }
    void clearPicture();

    std::function<void(Qt::MouseButton)> onMouseDown;
    std::function<void()> onClick;

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QPixmap picture_;
    bool leftPressed_ = false;
};

}  // namespace ui
