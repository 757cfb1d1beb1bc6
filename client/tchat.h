#pragma once

#include <QMainWindow>
#include <QStringList>
#include <memory>

#include "chat/chatlink.h"
#include "client/clientstate.h"
#include "client/imagelists.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class ChatDisplay;
class ChatInput;
class ChatOptions;
class PhraseButtons;
class Settings;
class Watching;
class TSock;
class ClientQueue;
class DiceBoard;
class ScoreCards;
class Seating;
class Sounds;
class Startup;
struct Windows;
class QLockFile;

// The main window: the player panel with four score cards, the dice board, the
// dartboard, the chat and the menus. It builds its controls, owns the client
// state and the game connection, and hands everything else to the classes that
// hold each concern (queue and dispatch, seating, start-up, ...).
class Tchat : public QMainWindow {
    Q_OBJECT
  public:
    Tchat(Windows& windows, QStringList arguments, QWidget* parent = nullptr);
    ~Tchat() override;

    // Wires the menu items and the windows to each other, once all windows exist.
    void connectWindows();

    ClientState& state() { return state_; }
    Windows& windows() { return windows_; }
    const QStringList& arguments() const { return arguments_; }

    // A control by name, or by prefix and number ("label_playername" + 2).
    template <typename T>
    T* control(const QString& name) const {
        return findChild<T*>(name);
    }
    template <typename T>
    T* control(const QString& prefix, int number) const {
        return findChild<T*>(prefix + QString::number(number));
    }

    // Refills the tally window's "Players In Current Game" from the name labels.
    void loadchecklist();

    // Adds one line to the chat display in a colour (0x00BBGGRR values are QColor here).
    void addlinetochat(const QString& text, const QColor& colour);

    // The colours the status lines use.
    static QColor systemColour() { return QColor(192, 192, 192); }
    static QColor startColour() { return QColor(0, 255, 0); }
    static QColor watchingColour() { return QColor(156, 152, 120); }

    TSock* sock = nullptr;    // the game connection
    TSock* Sock11 = nullptr;  // the lobby link
    ChatDisplay* mainchat = nullptr;
    QLineEdit* mychat = nullptr;

    QAction* StartGame1 = nullptr;
    QAction* StartTeamGame1 = nullptr;
    QAction* HostAGame1 = nullptr;
    QAction* JoinAGame1 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* PlaySounds1 = nullptr;
    QAction* PlayVoiceSounds1 = nullptr;
    QAction* TextColor1 = nullptr;
    QAction* ActionColor1 = nullptr;
    QMenu* TextSize1 = nullptr;
    QAction* ScrollChatOff1 = nullptr;
    QAction* JustWatch1 = nullptr;
    QAction* TallyList1 = nullptr;
    QAction* SpyList1 = nullptr;
    QAction* PhraseButtonList1 = nullptr;
    QAction* Contents1 = nullptr;
    QAction* About1 = nullptr;
    QMenu* popup_kick = nullptr;
    QAction* RemoveFromGame1 = nullptr;

    ClientQueue& queue() { return *queue_; }
    Seating& seating() { return *seating_; }
    Startup& startup() { return *startup_; }
    DiceBoard& diceboard() { return *diceboard_; }
    ScoreCards& scorecards() { return *scorecards_; }
    Sounds& sounds() { return *sounds_; }
    ChatInput& chatInput() { return *chatInput_; }
    PhraseButtons& phraseButtons() { return *phraseButtons_; }
    Settings& settings() { return *settings_; }
    Watching& watching() { return *watching_; }
    const ImageLists& imageLists() const { return imageLists_; }

  signals:
    // The window has closed; closing the main window ends the program.
    void closed();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    void buildMenus();
    void layoutRegions();
    void FormCreate();
    void FormShow();

    Windows& windows_;
    QStringList arguments_;
    ClientState state_;
    QWidget* client_ = nullptr;
    bool shown_ = false;
    std::unique_ptr<QLockFile> mutex_;
    ImageLists imageLists_;
    std::unique_ptr<Sounds> sounds_;
    std::unique_ptr<ScoreCards> scorecards_;
    std::unique_ptr<DiceBoard> diceboard_;
    std::unique_ptr<Seating> seating_;
    std::unique_ptr<Startup> startup_;
    std::unique_ptr<ClientQueue> queue_;
    ChatLink chatLink_;
    std::unique_ptr<ChatInput> chatInput_;
    std::unique_ptr<PhraseButtons> phraseButtons_;
    std::unique_ptr<Settings> settings_;
    std::unique_ptr<ChatOptions> chatOptions_;
    std::unique_ptr<Watching> watching_;
};
