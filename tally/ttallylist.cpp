#include "tally/ttallylist.h"

#include <QCoreApplication>

#include <QLabel>
#include <QListWidget>
#include <QPersistentModelIndex>
#include <QPushButton>
#include <cstdio>

#include "platform/messagebox.h"
#include "platform/programfolder.h"
#include "ui/pictures.h"
#include "ui/tiledpanel.h"

namespace {

QLabel* label(QWidget* parent, const QString& text, int left, int top, int width = 90) {
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);  // opponents' names come from the network
    l->setGeometry(left, top, width, 16);
    return l;
}

std::string utf8(const QString& s) {
    return s.toStdString();
}

}  // namespace

Ttallylist::Ttallylist(QWidget* parent, const QString& path)
    : QDialog(parent), path_(path.isEmpty() ? platform::programFile(kFileName) : path) {
    setObjectName("tallylist");
    setWindowTitle("Quivelo - Tally List");
    setModal(false);
    buildControls();
    try {
        store_.load(utf8(path_));
    } catch (const std::exception& e) {
        loadFailed_ = true;
        // Shown once the program runs, over its windows, instead of holding up
        // their creation until somebody clicks.
        const QString message = QString::fromStdString(e.what());
        QMetaObject::invokeMethod(
            this, [message] { platform::errorBox(message); }, Qt::QueuedConnection);
    }
    loadtally();
}

Ttallylist::~Ttallylist() {
    // After a failed load the file on disk may still be the good tally (the reason
    // was not the file); only a session that counted something replaces it.
    if (loadFailed_ && !store_.changed()) return;
    // A failed save keeps the previous tally file whole. The window is gone, so
    // standard error is the only place left to say so.
    try {
        store_.save(utf8(path_));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: error: the tally was not saved to %s: %s\n",
                     qPrintable(QCoreApplication::applicationName()), qPrintable(path_), e.what());
    }
}

void Ttallylist::buildControls() {
    setFixedSize(470, 320);
    auto* back = new ui::TiledPanel(this);
    back->setGeometry(rect());
    back->setTile(ui::picture("background.jpg"));
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, QColor(0, 255, 0));
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::Text, QColor(0, 255, 0));
    setPalette(pal);

    label(this, "Players In Current Game", 10, 8, 180);
    checklist = new QListWidget(this);
    checklist->setObjectName("checklist");
    checklist->setGeometry(10, 26, 180, 110);
    label(this, "Players Being Tallied", 10, 144, 180);
    listbox_tally = new QListWidget(this);
    listbox_tally->setObjectName("listbox_tally");
    listbox_tally->setGeometry(10, 162, 180, 110);

    auto* mine = new ui::TiledPanel(this, QColor(0, 32, 0));
    mine->setObjectName("panel_mytally");
    mine->setBorder(QColor(0, 160, 0));
    mine->setGeometry(205, 8, 255, 84);
    label(mine, "Your Total Tally", 8, 4, 200);
    const char* captions[] = {"Total Games:", "Your Wins:", "Dbl Bulls:"};
    for (int i = 1; i <= 3; ++i) {
        label(mine, captions[i - 1], 8, 4 + 18 * i);
        mylabels_[size_t(i)] = label(mine, "0", 110, 4 + 18 * i, 60);
        mylabels_[size_t(i)]->setObjectName(QString("mylabel_%1").arg(i));
    }

    label_hisnametop = label(this, "", 205, 104, 255);
    label_hisnametop->setObjectName("label_hisnametop");
    label(this, "Total", 330, 124, 50);
    label(this, "Session", 390, 124, 60);
    label(this, "Number of Games", 205, 144, 120);
    label_hisname = label(this, "XX Wins:", 205, 162, 120);
    label_hisname->setObjectName("label_hisname");
    label(this, "Your Wins:", 205, 180, 120);
    label(this, "Neither Won:", 205, 198, 120);
    for (int i = 1; i <= 8; ++i) {
        const int row = (i - 1) % 4;
        labels_[size_t(i)] = label(this, "0", i <= 4 ? 330 : 390, 144 + 18 * row, 50);
        labels_[size_t(i)]->setObjectName(QString("label_%1").arg(i));
    }

    auto* ok = new QPushButton("Ok", this);
    ok->setGeometry(380, 280, 80, 28);
    connect(ok, &QPushButton::clicked, this, &QDialog::hide);

    connect(checklist, &QListWidget::itemChanged, this, &Ttallylist::checklistClickCheck);
    connect(listbox_tally, &QListWidget::itemChanged, this, &Ttallylist::listbox_tallyClickCheck);
    connect(listbox_tally, &QListWidget::itemClicked, this, &Ttallylist::listbox_tallyClick);
}

void Ttallylist::addTalliedEntry(const QString& name) {
    filling_ = true;
    auto* item = new QListWidgetItem(name, listbox_tally);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Checked);
    filling_ = false;
}

void Ttallylist::loadtally() {
    const tally::StringGrid& g = store_.grid();
    for (int c = 1; c <= 3; ++c)
        mylabels_[size_t(c)]->setText(QString::fromStdString(g.cell(c, 0)));
    for (int r = 1; r < g.rowCount(); ++r)
        addTalliedEntry(QString::fromStdString(g.cell(0, r)));
    store_.resetSession();
}

bool Ttallylist::isTallied(const QString& name) const {
    return !listbox_tally->findItems(name, Qt::MatchFixedString).isEmpty();
}

bool Ttallylist::hasCurrentPlayers() const {
    return checklist->count() > 0;
}

void Ttallylist::loadCurrentPlayers(const QStringList& names) {
    filling_ = true;
    checklist->clear();
    for (const QString& name : names) {
        auto* item = new QListWidgetItem(name, checklist);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(isTallied(name) ? Qt::Checked : Qt::Unchecked);
    }
    filling_ = false;
}

int Ttallylist::addit(int column, int row) {
    return store_.addit(column, row);
}

void Ttallylist::addtomine(int column) {
    const int n = addit(column, 0);
    if (column >= 1 && column <= 3) mylabels_[size_t(column)]->setText(QString::number(n));
}

void Ttallylist::addgame(const QString& winner) {
    if (loadchecklist) loadchecklist();
    addtomine(1);
    if (winner == tally::TallyStore::kOwnWin) addtomine(2);
    std::vector<int> rows;
    for (int i = 0; i < checklist->count(); ++i) {
        const auto found =
            listbox_tally->findItems(checklist->item(i)->text(), Qt::MatchFixedString);
        if (!found.isEmpty()) rows.push_back(listbox_tally->row(found.front()) + 1);
    }
    store_.recordGame(rows, utf8(winner));
    if (QListWidgetItem* selected = listbox_tally->currentItem()) listbox_tallyClick(selected);
}

void Ttallylist::checklistClickCheck(QListWidgetItem* item) {
    if (filling_ || isTallied(item->text())) return;
    addTalliedEntry(item->text());
    store_.addOpponent(utf8(item->text()));
}

void Ttallylist::listbox_tallyClickCheck(QListWidgetItem* item) {
    if (filling_ || item->checkState() == Qt::Checked) return;
    // The click that unticked the entry is still being handled by the list, which
    // goes on to report it on that entry; so the question, and the removal, come
    // once that event is over.
    const QPersistentModelIndex entry = listbox_tally->indexFromItem(item);
    QMetaObject::invokeMethod(
        this, [this, entry] { confirmDeletion(entry); }, Qt::QueuedConnection);
}

void Ttallylist::confirmDeletion(const QPersistentModelIndex& entry) {
    QListWidgetItem* item = entry.isValid() ? listbox_tally->item(entry.row()) : nullptr;
    if (!item || item->checkState() == Qt::Checked) return;
    const QString name = item->text();
    if (platform::confirmBox("This will delete " + name + "'s Tally, Are you want to delete it?")) {
        store_.moverow(listbox_tally->row(item) + 1);
        delete item;
    } else {
        filling_ = true;
        item->setCheckState(Qt::Checked);
        filling_ = false;
    }
}

void Ttallylist::listbox_tallyClick(QListWidgetItem* item) {
    if (!item) return;
    const int r = listbox_tally->row(item) + 1;
    const tally::StringGrid& g = store_.grid();
    for (int c = 1; c <= 8; ++c)
        labels_[size_t(c)]->setText(QString::fromStdString(g.cell(c, r)));
    label_hisname->setText(item->text() + " Wins:");
    label_hisnametop->setText(item->text() + "'s Tally");
}
