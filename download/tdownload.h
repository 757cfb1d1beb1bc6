#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

// The lobby download window, shown on top of the main window in a solo game: it
// offers the lobby's installer, the solo game behind it, or the installed lobby.
class Tdownload : public QDialog {
    Q_OBJECT
  public:
    explicit Tdownload(QWidget* parent = nullptr);

    // The installed lobby's fixed place.
    static constexpr const char* kLobbyPath = "C:\\Program Files\\Vant11\\Vant11Lobby.exe";

    QPushButton* getbutton = nullptr;
    QPushButton* abortbutton = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QLabel* infolabel = nullptr;
    QLabel* infolabel2 = nullptr;
    QLabel* infolabel3 = nullptr;

    // "Play with Others" closes the program once the lobby has been started.
    std::function<void()> onCloseProgram;

  private:
    void Button2Click();
};
