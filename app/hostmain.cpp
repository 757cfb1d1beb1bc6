// The game host without a window: quivelo-host [--port N]. The first connection
// takes seat 1 and may start games; seat 2 is Vuzi whenever nobody holds it.
#include <QCommandLineParser>
#include <cstdio>

#include "host/random.h"
#include "host/tserver.h"
#include "net/tsock.h"
#include "platform/application.h"
#include "platform/termination.h"

int main(int argc, char** argv) {
    platform::CoreApplication app(argc, argv);
    app.setApplicationName("quivelo-host");
    QCommandLineParser options;
    options.setApplicationDescription("The Quivelo game host, without a window.");
    options.addHelpOption();
    options.addOption({"port", "TCP port to listen on (0: any free port).", "N", "7775"});
    options.process(app);
    bool ok = false;
    const uint port = options.value("port").toUInt(&ok);
    if (!ok || port > 65535) {
        std::fprintf(stderr, "quivelo-host: --port wants a number from 0 to 65535\n");
        return 2;
    }

    rng::randomize();
    TServer server;
    server.onLog = [](const QString& line) {
        std::fprintf(stderr, "quivelo-host: %s\n", qPrintable(line));
        std::fflush(stderr);
    };
    try {
        server.startListening(std::uint16_t(port));
    } catch (const ESockException& e) {
        std::fprintf(stderr, "quivelo-host: cannot listen on port %u: %s\n", port, e.what());
        return 1;
    }
    std::printf("listening on port %u\n", unsigned(server.listeningPort()));
    std::fflush(stdout);

    platform::onTerminationSignal([&app](int) { app.quit(); });
    return app.exec();
}
