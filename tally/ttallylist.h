#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <functional>

#include "tally/tallystore.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPersistentModelIndex;

// The tally window: games, wins and double bulls of the local player, and for every
// opponent the player chose to tally, the games they played together and who won
// them, in total and in this session. Loaded from the tally file when created,
// written back when destroyed.
class Ttallylist : public QDialog {
    Q_OBJECT
  public:
    static constexpr const char* kFileName = "quivelotally.tld";

    // `path` is the tally file; empty means the one in the program's folder.
    explicit Ttallylist(QWidget* parent = nullptr, const QString& path = {});
    ~Ttallylist() override;

    // Records a finished game: the winner's name, or "addtomine" for the local player.
    void addgame(const QString& winner);
    int addit(int column, int row);
    void addtomine(int column);

    // Fills "Players In Current Game"; a name being tallied is checked.
    void loadCurrentPlayers(const QStringList& names);
    bool hasCurrentPlayers() const;
    bool isTallied(const QString& name) const;

    // The main window refills the current players before a game is recorded.
    std::function<void()> loadchecklist;

    const tally::TallyStore& store() const { return store_; }
    const QString& path() const { return path_; }

    QListWidget* checklist = nullptr;
    QListWidget* listbox_tally = nullptr;

  private:
    void buildControls();
    void loadtally();
    void checklistClickCheck(QListWidgetItem* item);
    void listbox_tallyClickCheck(QListWidgetItem* item);
    void confirmDeletion(const QPersistentModelIndex& entry);
    void listbox_tallyClick(QListWidgetItem* item);
    void addTalliedEntry(const QString& name);

    QString path_;
    tally::TallyStore store_;
    std::array<QLabel*, 4> mylabels_{};  // mylabel_1 .. mylabel_3 (index 0 unused)
    std::array<QLabel*, 9> labels_{};    // label_1 .. label_8 (index 0 unused)
    QLabel* label_hisname = nullptr;
    QLabel* label_hisnametop = nullptr;
    bool filling_ = false;     // check marks set by the program, not by a click
    bool loadFailed_ = false;  // the file on disk was not read into this tally
};
