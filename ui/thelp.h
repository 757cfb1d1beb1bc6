#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QStackedWidget;

// The help window: a column of page buttons beside a stack of read-only pages.
class Thelp : public QDialog {
    Q_OBJECT
  public:
    explicit Thelp(QWidget* parent = nullptr);

    // Called by "About" in the column.
    std::function<void()> onAbout;

    QLabel* label_caption = nullptr;
    // The page in front: 1, 2, 3, 4, 5 or 9.
    int currentPage() const;

  private:
    void SelButton1Click(int page, const QString& caption);

    QStackedWidget* pages_ = nullptr;
};
