// A computer player that joins a host as a client:
//   quivelo-bot [--host ADDR] [--port N] [--name NAME] [--start n|t] [--games K]
#include <QCommandLineParser>
#include <cstdio>

#include "app/bot.h"
#include "platform/application.h"

int main(int argc, char** argv) {
    platform::CoreApplication app(argc, argv);
    app.setApplicationName("quivelo-bot");
    QCommandLineParser options;
    options.setApplicationDescription("A computer player for a Quivelo game host.");
    options.addHelpOption();
    options.addOption({"host", "Address of the game host.", "ADDR", "127.0.0.1"});
    options.addOption({"port", "Port of the game host.", "N", "7775"});
    options.addOption({"name", "The player's name.", "NAME", "Bot"});
    options.addOption({"start", "Start games (n: normal, t: team) when sitting in seat 1.", "n|t"});
    options.addOption({"games", "How many games to play.", "K", "1"});
    options.process(app);

    Bot::Options o;
    o.host = options.value("host");
    o.name = options.value("name");
    bool portOk = false, gamesOk = false;
    const uint port = options.value("port").toUInt(&portOk);
    o.games = options.value("games").toInt(&gamesOk);
    o.start = options.value("start").toLatin1();
    if (!portOk || port == 0 || port > 65535 || !gamesOk || o.games < 1 ||
        !(o.start.isEmpty() || o.start == "n" || o.start == "t")) {
        std::fprintf(stderr, "quivelo-bot: bad options; see --help\n");
        return 2;
    }
    o.port = quint16(port);

    Bot bot(o, stdout);
    QObject::connect(&bot, &Bot::finished, &app, [&app](int outcome) { app.exit(outcome); });
    bot.run();
    return app.exec();
}
