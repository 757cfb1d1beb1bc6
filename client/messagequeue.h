#pragma once

#include <QByteArray>
#include <functional>
#include <utility>
#include <vector>

#include "net/framer.h"
#include "net/pacedqueue.h"

class Tchat;
class TSock;

// The client's received queue: the connection's read event cuts the data into
// lines, and a 1 ms timer hands one line per tick to the handler of its command.
// No handler runs inside the socket event.
class ClientQueue {
  public:
    using Handler = std::function<void(const QByteArray& data)>;

    explicit ClientQueue(Tchat& window);

    void sockRead(TSock* sender, int count);
    // Takes one line and runs the handler of its command; unknown commands and lines
    // without a command are dropped.
    void processsocktimer(const QByteArray& line);

    // Adds an entry to the dispatch table (in table order).
    void addHandler(const char* command, Handler handler);

    // The phrase buttons' pause counts on this queue's ticks.
    PacedQueue<QByteArray>& receivedlist() { return receivedlist_; }

  private:
    Tchat& w_;
    MessageFramer framer_;
    PacedQueue<QByteArray> receivedlist_;
    std::vector<std::pair<QByteArray, Handler>> table_;
};
