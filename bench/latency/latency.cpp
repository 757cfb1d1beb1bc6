// Request-to-announcement latency of the game host, as a player feels it: a real
// quivelo-host process, two players on loopback, each request sent after a pause of
// 20 to 50 ms. Prints the median and the 99th percentile.
//   latency_bench [path/to/quivelo-host] [requests]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace {

class Player {
  public:
    explicit Player(quint16 port) {
        sock_.connectToHost("127.0.0.1", port);
        sock_.waitForConnected(5000);
        sock_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    }
    void send(const QByteArray& m) {
        sock_.write(m + char(0xFF));
        sock_.flush();
    }
    // Spins until a message starting with one of the prefixes arrives; returns it.
    QByteArray waitFor(const QByteArray& prefix, const QByteArray& orPrefix = "\x01") {
        for (;;) {
            for (; seen_ < messages_.size(); ++seen_)
                if (messages_[seen_].startsWith(prefix) || messages_[seen_].startsWith(orPrefix))
                    return messages_[seen_++];
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
            buffer_ += sock_.readAll();
            qsizetype end;
            while ((end = buffer_.indexOf(char(0xFF))) >= 0) {
                messages_ << buffer_.left(end);
                buffer_.remove(0, end + 1);
            }
        }
    }

  private:
    QTcpSocket sock_;
    QByteArray buffer_;
    QList<QByteArray> messages_;
    qsizetype seen_ = 0;
};

void pause(std::mt19937& gen) {
    std::uniform_int_distribution<int> ms(20, 50);
    QElapsedTimer t;
    t.start();
    const int wait = ms(gen);
    while (t.elapsed() < wait) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        QThread::usleep(200);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString hostPath =
        argc > 1 ? argv[1] : QCoreApplication::applicationDirPath() + "/quivelo-host";
    const int wanted = argc > 2 ? std::atoi(argv[2]) : 260;

    QProcess host;
    host.start(hostPath, {"--port", "0"});
    host.waitForReadyRead(5000);
    const auto m =
        QRegularExpression("listening on port (\\d+)").match(QString(host.readAllStandardOutput()));
    if (!m.hasMatch()) {
        std::fprintf(stderr, "latency_bench: the host did not start\n");
        return 1;
    }
    const quint16 port = quint16(m.captured(1).toUInt());

    Player one(port), two(port);
    one.waitFor("CMD_sendlogininfo+");
    one.send("CMD_logininfo+1+2.0.10+one");
    one.waitFor("CMD_newplayerinfo+1+");
    two.waitFor("CMD_sendlogininfo+");
    two.send("CMD_logininfo+2+2.0.10+two");
    two.waitFor("CMD_newplayerinfo+2+");
    one.send("CMD_startgame+1+n");

    std::mt19937 gen(7775);
    std::vector<double> throwMs, placeMs;
    QElapsedTimer clock;
    while (int(throwMs.size() + placeMs.size()) < wanted) {
        const QByteArray next = one.waitFor("CMD_nextplayer+", "CMD_winner+");
        if (next.startsWith("CMD_winner+")) {
            one.send("CMD_startgame+1+n");  // and on to the next game
            continue;
        }
        const int seat = next.mid(15).toInt();
        Player& p = seat == 1 ? one : two;
        pause(gen);
        clock.start();
        p.send("CMD_throwdarts+" + QByteArray::number(seat));
        p.waitFor("CMD_thedart+");
        throwMs.push_back(clock.nsecsElapsed() / 1e6);
        for (int die = 1; die <= 12; ++die) {
            pause(gen);
            const QByteArray req = QString("CMD_placedice+%1+%2+%3+%4")
                                       .arg(seat)
                                       .arg(die)
                                       .arg((die - 1) / 4 + 1)
                                       .arg((die - 1) % 4 + 1)
                                       .toUtf8();
            clock.start();
            p.send(req);
            p.waitFor("CMD_placedice+" + QByteArray::number(seat) + "+");
            placeMs.push_back(clock.nsecsElapsed() / 1e6);
        }
    }

    auto report = [](const char* what, std::vector<double> v) {
        std::sort(v.begin(), v.end());
        auto at = [&](double q) { return v[std::min(v.size() - 1, size_t(q * double(v.size())))]; };
        std::printf("%-28s n=%4zu  median %6.3f ms  p99 %6.3f ms  max %6.3f ms\n", what, v.size(),
                    at(0.5), at(0.99), v.back());
    };
    std::vector<double> all = throwMs;
    all.insert(all.end(), placeMs.begin(), placeMs.end());
    report("throwdarts -> thedart", throwMs);
    report("placedice -> placedice", placeMs);
    report("all requests", all);
    host.terminate();
    host.waitForFinished(3000);
    return 0;
}
