#include "client/messagequeue.h"

#include "client/tchat.h"
#include "net/protocol.h"
#include "net/tsock.h"

namespace {
constexpr int kTickMs = 1;
}

ClientQueue::ClientQueue(Tchat& window)
    : w_(window), receivedlist_(kTickMs, [this](QByteArray& line) { processsocktimer(line); }) {
    w_.sock->OnRead = [this](TSock* s, int count) { sockRead(s, count); };
}

void ClientQueue::addHandler(const char* command, Handler handler) {
    table_.emplace_back(command, std::move(handler));
}

void ClientQueue::sockRead(TSock* sender, int) {
    const bool ok = framer_.feed(sender->Receive(),
                                 [this](const QByteArray& line) { receivedlist_.push(line); });
    // A host that sends an endless unfinished line is not one we can play with.
    if (!ok) sender->Close();
}

void ClientQueue::processsocktimer(const QByteArray& line) {
    const protocol::Split parts = protocol::split(line);
    if (parts.command.isEmpty()) return;
    for (const auto& [command, handler] : table_) {
        if (command == parts.command) {
            handler(parts.args);
            return;
        }
    }
}
