#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <array>
#include <cstdio>

#include "net/framer.h"
#include "net/pacedqueue.h"

class TSock;

// A computer player that joins a host as an ordinary client: it logs in, throws
// on its own turn and then asks for automatic placement, and reports each turn.
class Bot : public QObject {
    Q_OBJECT
  public:
    struct Options {
        QString host = "127.0.0.1";
        quint16 port = 7775;
        QString name = "Bot";
        QByteArray start;  // "n" or "t": start games when sitting in seat 1
        int games = 1;
    };

    // How the bot ended; the program's exit code.
    enum Outcome { Done = 0, CannotConnect = 3, ConnectionLost = 4, GameFull = 5, Running = -1 };

    Bot(Options options, std::FILE* out);
    ~Bot() override;
    void run();  // starts connecting; `finished` reports the outcome

  signals:
    void finished(int outcome);

  private:
    void handle(const QByteArray& line);
    void end(Outcome outcome, const QString& why = {});
    void send(const QByteArray& message);
    QString seatName(int seat) const;
    void print(const QString& line);

    Options options_;
    std::FILE* out_;
    TSock* sock_ = nullptr;
    MessageFramer framer_;
    PacedQueue<QByteArray> queue_;
    int myseat_ = 0;
    bool thrown_ = false;
    bool rolledUnfinished_ = false;  // dice rolled in a turn not yet ended
    int gamesPlayed_ = 0;
    Outcome outcome_ = Running;
    std::array<QString, 10> names_;
};
