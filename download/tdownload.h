#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;
class THttpCli;

// The lobby download window, shown on top of the main window in a solo game: it
// offers the lobby's installer, the solo game behind it, or the installed lobby.
class Tdownload : public QDialog {
    Q_OBJECT
  public:
    explicit Tdownload(QWidget* parent = nullptr);

    // The installed lobby's fixed place.
    static constexpr const char* kLobbyPath = "/opt/Vant11/Vant11Lobby";

    QPushButton* getbutton = nullptr;
    QPushButton* abortbutton = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QLabel* infolabel = nullptr;
    QLabel* infolabel2 = nullptr;
    QLabel* infolabel3 = nullptr;
    THttpCli* HttpCli1 = nullptr;  // its URL is the installer's address

    // Where the installed lobby is looked for, and the installer's expected digest
    // (empty: unchecked); the build's values unless changed.
    QString lobbyPath = kLobbyPath;
    QString expectedDigest;

    // Closes the program as "Exit" does, once the installer or the lobby has started.
    std::function<void()> onCloseProgram;
    // Offers another way to play with others when no lobby is installed.
    std::function<void()> onPlayWithOthers;

    // A download ended in failure or was stopped.
    bool aborted() const { return aborted_; }

  private:
    void getbuttonClick();
    void abortbuttonClick();
    void Button1Click();
    void Button2Click();
    void HttpCli1HeaderData();
    void HttpCli1DocBegin();
    void HttpCli1DocData();

    bool aborted_ = false;
};
