// The game host without a window: quivelo-host [--port N] [--keepalive I,N,C]. The first connection
// takes seat 1 and may start games; seat 2 is Vuzi whenever nobody holds it.
#include <QCommandLineParser>
#include <array>
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
    options.addOption({"keepalive",
                       "Keepalive of the connections: idle seconds, seconds between probes, "
                       "probes (default 20,5,4).",
                       "I,N,C"});
    options.process(app);
    bool ok = false;
    const uint port = options.value("port").toUInt(&ok);
    if (!ok || port > 65535) {
        std::fprintf(stderr, "quivelo-host: --port wants a number from 0 to 65535\n");
        return 2;
    }

    rng::randomize();
    TServer server;
    if (options.isSet("keepalive")) {
        const QStringList parts = options.value("keepalive").split(',');
        std::array<int, 3> k{};
        bool good = parts.size() == 3;
        for (int i = 0; good && i < 3; ++i) {
            k[size_t(i)] = parts[i].toInt(&good);
            good = good && k[size_t(i)] > 0;
        }
        if (!good) {
            std::fprintf(stderr, "quivelo-host: --keepalive wants three positive numbers\n");
            return 2;
        }
        server.setKeepAlive(k[0], k[1], k[2]);
    }
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
