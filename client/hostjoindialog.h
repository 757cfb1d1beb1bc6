#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Asks how to play with others without a lobby: host a game here or join one at
// a host's address, under the player's name. The name and the last host are kept
// in the settings file ("Playername", "Lasthost") and offered the next time.
class HostJoinDialog : public QDialog {
    Q_OBJECT
  public:
    enum class Role { Host, Join };

    explicit HostJoinDialog(Role role, QWidget* parent = nullptr);

    // The command line of the copy that takes over: NAME ADDRESS true|false.
    QStringList arguments() const;

    QRadioButton* hostChoice = nullptr;
    QRadioButton* joinChoice = nullptr;
    QLineEdit* nameEdit = nullptr;
    QLineEdit* addressEdit = nullptr;
    QLabel* addressesLabel = nullptr;  // where others find a hosted game
    QLabel* problemLabel = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;

  private:
    void showRole();
    void confirm();
};

// The addresses of this machine that others on the network can join, one a line.
QString joinableAddresses();
