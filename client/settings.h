#pragma once

#include <QStringList>

class Tchat;

// The player's choices kept in the settings file, section "Quivelo": chat text size
// and colours, the ten phrases and the two sound switches. They are read when the
// host announces this client's own seat and written when the player changes them.
class Settings {
  public:
    static constexpr const char* kSection = "Quivelo";
    static constexpr int kDefaultTextSize = 8;

    explicit Settings(Tchat& window);

    void loadinifile();
    // Raises platform::EIniWrite when the size or a sound switch cannot be written;
    // the colours' write errors are ignored.
    void saveinifile();
    // The phrase editor's "Done": the buttons take the phrases, then the file does.
    void writePhrases(const QStringList& phrases);

  private:
    Tchat& w_;
};
