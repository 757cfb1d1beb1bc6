// Arbitrary lines from a host, dispatched by the real main window one at a time as
// its queue does: a line may fail, but nothing may reach outside the window's
// tables, and the marks stay within 0 to 3.
#include <QApplication>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "chat/chatdisplay.h"
#include "client/messagequeue.h"
#include "client/tchat.h"
#include "client/windowset.h"
#include "platform/messagebox.h"
#include "platform/soundplayer.h"

namespace {

struct World {
    World() {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("QUIVELO_PROGRAM_DIR", folder.path().toUtf8());
        platform::setBoxPresenter([](platform::BoxKind, const QString&) { return true; });
        platform::SoundPlayer::setSink([](const QString&) {});
        static int argc = 1;
        static char name[] = "clientdispatch_fuzz";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
    }
    Tchat& window() {
        // A fresh window now and then, so the chat and the lists do not grow for ever.
        if (!set || ++uses % 512 == 0) set = std::make_unique<WindowSet>(QStringList{});
        return *set->windows.chat;
    }
    // Members go in reverse order: the windows before the application they need.
    QTemporaryDir folder;
    std::unique_ptr<QApplication> app;
    std::unique_ptr<WindowSet> set;
    int uses = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static World world;
    Tchat& w = world.window();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const QByteArray& line : bytes.split(char(0xFF))) {
        try {
            w.queue().processsocktimer(line);
        } catch (const std::exception&) {
            // a line that fails is lost; the next one is handled
        }
        for (const auto& seat : w.state().cardmarks)
            for (int marks : seat)
                if (marks < 0 || marks > 3) std::abort();
    }
    return 0;
}
