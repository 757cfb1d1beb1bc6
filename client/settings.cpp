#include "client/settings.h"

#include <QAction>
#include <QMenu>

#include "chat/chatdisplay.h"
#include "chat/chatinput.h"
#include "chat/chatreceived.h"
#include "chat/colortext.h"
#include "chat/phrasebuttons.h"
#include "client/tchat.h"
#include "platform/inifile.h"

namespace {

// Beyond these a chat could not be read; such a size counts as no size.
constexpr int kSmallestTextSize = 1;
constexpr int kLargestTextSize = 72;

QColor colourFrom(const QString& text) {
    const auto value = colortext::textToColor(text.toStdString());
    return toQColor(value.value_or(colortext::kWhite));
}

QString textOf(const QColor& colour) {
    return QString::fromStdString(colortext::colorToText(fromQColor(colour)));
}

}  // namespace

Settings::Settings(Tchat& window) : w_(window) {}

void Settings::loadinifile() {
    const platform::IniFile ini = platform::settingsFile();
    int size = ini.readInteger(kSection, "Textsize", kDefaultTextSize);
    if (size < kSmallestTextSize || size > kLargestTextSize) size = kDefaultTextSize;
    w_.mainchat->setFontSize(size);
    for (QAction* entry : w_.TextSize1->actions())
        entry->setChecked(entry->text() == QString::number(size));

    ChatInput& input = w_.chatInput();
    input.setTextColour(colourFrom(ini.readString(kSection, "Textcolor", "cllime")));
    input.setActionColour(colourFrom(ini.readString(kSection, "Actioncolor", "cllime")));

    QString last;
    for (int n = 1; n <= PhraseButtons::kButtons; ++n) {
        last = ini.readString(kSection, QString("Phrase%1").arg(n), QString());
        if (!last.isEmpty()) w_.phraseButtons().setPhrase(n, last);
    }
    // The switches fall back on the value read just before them, as they always have.
    const QString sounds = ini.readString(kSection, "Playsounds", last);
    w_.PlaySounds1->setChecked(sounds != "false");
    const QString voices = ini.readString(kSection, "Playvoiceovers", sounds);
    w_.PlayVoiceSounds1->setChecked(voices != "false");
}

void Settings::saveinifile() {
    const platform::IniFile ini = platform::settingsFile();
    ini.writeString(kSection, "Textsize", QString::number(w_.mainchat->fontSize()));
    const ChatInput& input = w_.chatInput();
    for (const auto& [key, colour] :
         {std::pair{"Textcolor", input.textColour()}, {"Actioncolor", input.actionColour()}}) {
        try {
            ini.writeString(kSection, key, textOf(colour));
        } catch (const platform::EIniWrite&) {
            // a colour that cannot be stored is no reason to stop
        }
    }
    auto flag = [](const QAction* item) { return item->isChecked() ? "true" : "false"; };
    ini.writeString(kSection, "Playsounds", flag(w_.PlaySounds1));
    ini.writeString(kSection, "Playvoiceovers", flag(w_.PlayVoiceSounds1));
}

void Settings::writePhrases(const QStringList& phrases) {
    for (int n = 1; n <= PhraseButtons::kButtons; ++n)
        w_.phraseButtons().setPhrase(n, phrases.value(n - 1));
    const platform::IniFile ini = platform::settingsFile();
    for (int n = 1; n <= PhraseButtons::kButtons; ++n)
        ini.writeString(kSection, QString("Phrase%1").arg(n), phrases.value(n - 1));
}
