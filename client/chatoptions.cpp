#include "client/chatoptions.h"

#include <QAction>
#include <QActionGroup>
#include <QColorDialog>
#include <QMenu>

#include "chat/chatdisplay.h"
#include "chat/chatinput.h"
#include "chat/phrasebuttons.h"
#include "chat/tphrases.h"
#include "client/settings.h"
#include "client/tchat.h"
#include "client/windows.h"
#include "platform/messagebox.h"

ChatOptions::ChatOptions(Tchat& window) : w_(window) {
    QObject::connect(w_.findChild<QAction*>("Copy1"), &QAction::triggered, w_.mainchat,
                     &QTextEdit::copy);
    QObject::connect(w_.findChild<QAction*>("Paste1"), &QAction::triggered, &w_,
                     [this] { w_.chatInput().paste(); });
    QObject::connect(w_.TextColor1, &QAction::triggered, &w_,
                     [this] { platform::showFailure([this] { TextColor1Click(); }); });
    QObject::connect(w_.ActionColor1, &QAction::triggered, &w_,
                     [this] { platform::showFailure([this] { ActionColor1Click(); }); });
    // One mark among the sizes; none when the stored size is not one of them.
    auto* sizes = new QActionGroup(w_.TextSize1);
    sizes->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (QAction* entry : w_.TextSize1->actions()) {
        sizes->addAction(entry);
        const int points = entry->text().toInt();
        QObject::connect(entry, &QAction::triggered, &w_, [this, points] {
            platform::showFailure([this, points] { textSizeClick(points); });
        });
    }
}

void ChatOptions::connectPhraseEditor() {
    QObject::connect(w_.PhraseButtonList1, &QAction::triggered, &w_,
                     [this] { PhraseButtonList1Click(); });
    w_.windows().phrases->onDone = [this](const QStringList& phrases) {
        return platform::showFailure([&] { w_.settings().writePhrases(phrases); });
    };
}

void ChatOptions::TextColor1Click() {
    ChatInput& input = w_.chatInput();
    const QColor chosen = QColorDialog::getColor(input.textColour(), &w_, "Text Color");
    if (!chosen.isValid()) return;
    input.setTextColour(chosen);
    w_.settings().saveinifile();
}

void ChatOptions::ActionColor1Click() {
    ChatInput& input = w_.chatInput();
    const QColor chosen = QColorDialog::getColor(input.actionColour(), &w_, "Action Color");
    if (chosen.isValid()) input.setActionColour(chosen);
    w_.settings().saveinifile();  // confirmed or not
}

void ChatOptions::textSizeClick(int points) {
    w_.mainchat->setFontSize(points);
    w_.settings().saveinifile();
}

void ChatOptions::PhraseButtonList1Click() {
    Tphrases* editor = w_.windows().phrases;
    editor->setPhrases(w_.phraseButtons().phrases());
    editor->show();
    editor->raise();
}
