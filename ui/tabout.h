#pragma once

#include <QDialog>

// The about window: the maker, the credits and the version, 2.0.10.4.
class Tabout : public QDialog {
    Q_OBJECT
  public:
    explicit Tabout(QWidget* parent = nullptr);

    static constexpr const char* kWebSite = "http://www.vant11.com";

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
