#pragma once

#include <QDialog>

// The tally window: games, wins and double bulls against chosen opponents.
class Ttallylist : public QDialog {
    Q_OBJECT
  public:
    explicit Ttallylist(QWidget* parent = nullptr);
};
