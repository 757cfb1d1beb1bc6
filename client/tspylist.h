#pragma once

#include <QDialog>
#include <functional>

class QListWidget;
class QAction;

// The spy list: the watchers of the game (seats 5 to 9), one entry each made of
// the seat number, ": " and the name. It stays on top of the other windows.
class Tspylist : public QDialog {
    Q_OBJECT
  public:
    explicit Tspylist(QWidget* parent = nullptr);

    void addSpy(const QString& entry);
    // Removes the entry if the list holds it; false when it does not.
    bool removeSpy(const QString& entry);
    QStringList entries() const;

    // "Remove From Game" is offered only by the hosting copy.
    void enableRemoval(bool on);

    // Asked to remove the watcher of a seat (the hosting copy's host does it).
    std::function<void(int seat)> onRemove;

    QListWidget* listbox_spys = nullptr;
    QAction* popup_kickhim = nullptr;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int hovered_ = -1;  // the entry under the pointer at its last movement, or none
};
