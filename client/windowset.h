#pragma once

#include <QStringList>
#include <memory>

#include "client/windows.h"

class QObject;

// Every window of the program, created in the program's order (main window first)
// and wired to each other; destroyed in the reverse order.
class WindowSet {
  public:
    explicit WindowSet(const QStringList& arguments);
    ~WindowSet();

    Windows windows;

  private:
    std::unique_ptr<Tchat> chat_;
    std::unique_ptr<Tabout> about_;
    std::unique_ptr<Thelp> help_;
    std::unique_ptr<TServer> server_;
    std::unique_ptr<Ttallylist> tallylist_;
    std::unique_ptr<Tspylist> spylist_;
    std::unique_ptr<Tphrases> phrases_;
    std::unique_ptr<Tdownload> download_;
};
