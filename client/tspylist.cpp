#include "client/tspylist.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "net/protocol.h"
#include "ui/gamelook.h"

Tspylist::Tspylist(QWidget* parent) : QDialog(parent) {
    setObjectName("spylist");
    setWindowTitle("Quivelo -Spys");
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setModal(false);
    ui::applyGameLook(*this);
    auto* title = new QLabel("Spy List", this);
    listbox_spys = new QListWidget(this);
    listbox_spys->setObjectName("listbox_spys");
    // Movements without a button pressed happen on the viewport.
    listbox_spys->viewport()->setMouseTracking(true);
    auto* ok = new QPushButton("Ok", this);
    connect(ok, &QPushButton::clicked, this, &QDialog::hide);
    auto* box = new QVBoxLayout(this);
    box->addWidget(title);
    box->addWidget(listbox_spys);
    box->addWidget(ok);

    auto* menu = new QMenu(this);
    popup_kickhim = menu->addAction("Remove From Game");
    popup_kickhim->setObjectName("popup_kickhim");
    popup_kickhim->setEnabled(false);
    listbox_spys->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(
        listbox_spys, &QWidget::customContextMenuRequested, this,
        [this, menu](const QPoint& at) { menu->popup(listbox_spys->viewport()->mapToGlobal(at)); });
    listbox_spys->viewport()->installEventFilter(this);
    connect(popup_kickhim, &QAction::triggered, this, [this] {
        if (hovered_ < 0 || hovered_ >= listbox_spys->count()) return;
        const QString entry = listbox_spys->item(hovered_)->text();
        try {
            const int seat = protocol::toNumber(entry.section(':', 0, 0).toLatin1());
            if (onRemove) onRemove(seat);
        } catch (const protocol::ProtocolError&) {
            // an entry whose seat part is not a number removes nobody
        }
    });
    resize(220, 240);
}

bool Tspylist::eventFilter(QObject* watched, QEvent* event) {
    // Only movement over the list counts, so moving onto the pop-up menu keeps the entry.
    if (watched == listbox_spys->viewport() && event->type() == QEvent::MouseMove)
        hovered_ = listbox_spys->indexAt(static_cast<QMouseEvent*>(event)->pos()).row();
    return QDialog::eventFilter(watched, event);
}

void Tspylist::addSpy(const QString& entry) {
    listbox_spys->addItem(entry);
}

bool Tspylist::removeSpy(const QString& entry) {
    const auto found = listbox_spys->findItems(entry, Qt::MatchExactly);
    if (found.isEmpty()) return false;
    delete found.front();
    return true;
}

QStringList Tspylist::entries() const {
    QStringList all;
    for (int i = 0; i < listbox_spys->count(); ++i)
        all << listbox_spys->item(i)->text();
    return all;
}

void Tspylist::enableRemoval(bool on) {
    popup_kickhim->setEnabled(on);
}
