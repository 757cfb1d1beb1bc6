#include "client/windowset.h"

#include "chat/tphrases.h"
#include "client/tchat.h"
#include "client/tspylist.h"
#include "download/tdownload.h"
#include "host/tserver.h"
#include "tally/ttallylist.h"
#include "ui/tabout.h"
#include "ui/thelp.h"

WindowSet::WindowSet(const QStringList& arguments) {
    chat_ = std::make_unique<Tchat>(windows, arguments);
    about_ = std::make_unique<Tabout>();
    windows.about = about_.get();
    help_ = std::make_unique<Thelp>();
    windows.help = help_.get();
    server_ = std::make_unique<TServer>();
    windows.server = server_.get();
    tallylist_ = std::make_unique<Ttallylist>();
    windows.tallylist = tallylist_.get();
    spylist_ = std::make_unique<Tspylist>();
    windows.spylist = spylist_.get();
    phrases_ = std::make_unique<Tphrases>();
    windows.phrases = phrases_.get();
    download_ = std::make_unique<Tdownload>();
    windows.download = download_.get();
    chat_->connectWindows();
}

WindowSet::~WindowSet() {
    // The main window's connection goes before the host it may be connected to.
    download_.reset();
    phrases_.reset();
    spylist_.reset();
    tallylist_.reset();
    chat_.reset();
    server_.reset();
    help_.reset();
    about_.reset();
}
