#pragma once

#include <cstdint>

class Tchat;

// The roles a copy takes from its command line, when the main window is first
// shown: solo (no arguments: host a game on 127.0.0.1 against the computer), host
// (three arguments, the third exactly "true") or join (three arguments otherwise).
class Startup {
  public:
    explicit Startup(Tchat& window);

    void processparams();
    void hostpress();
    void joinpress();

    // The game port: 7775 in the programs; tests may use 0 (any free port).
    void setGamePort(std::uint16_t port) { port_ = port; }
    std::uint16_t gamePort() const { return port_; }

  private:
    Tchat& w_;
    std::uint16_t port_ = 7775;
};
