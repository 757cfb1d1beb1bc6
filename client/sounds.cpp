#include "client/sounds.h"

#include <QAction>

#include "client/tchat.h"

Sounds::Sounds(Tchat& window) : w_(window) {}

void Sounds::playsounds(const QString& name) {
    const bool allowed =
        name == "dice1" ? w_.PlaySounds1->isChecked() : w_.PlayVoiceSounds1->isChecked();
    if (allowed) player_.play(name);
}
