#include "client/sounds.h"

#include <QAction>

#include "client/settings.h"
#include "client/tchat.h"
#include "platform/messagebox.h"

Sounds::Sounds(Tchat& window) : w_(window) {
    // The item's check mark toggles itself; the choice is kept at once.
    for (QAction* item : {w_.PlaySounds1, w_.PlayVoiceSounds1})
        QObject::connect(item, &QAction::triggered, &w_, [this] {
            platform::showFailure([this] { w_.settings().saveinifile(); });
        });
}

void Sounds::playsounds(const QString& name) {
    const bool allowed =
        name == "dice1" ? w_.PlaySounds1->isChecked() : w_.PlayVoiceSounds1->isChecked();
    if (allowed) player_.play(name);
}
