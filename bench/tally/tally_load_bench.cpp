// How long the tally window takes to come up, and how much memory it takes, with
// hostile tally files and with the largest tally within the limits. Each case
// runs in a fresh process of its own, so the peak resident size is its own.
//   tally_load_bench            runs every case and prints a table
//   tally_load_bench CASE DIR   runs one case (used by the table)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>

#include "platform/messagebox.h"
#include "tally/lzrw1.h"
#include "tally/tallystore.h"
#include "tally/ttallylist.h"

namespace {

std::string gridText(int rows) {
    std::string t = "9\r\n" + std::to_string(rows) + "\r\n";
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < rows; ++r)
            t += (c == 0 && r > 0 ? "opponent number " + std::to_string(r) : std::string("17")) +
                 "\r\n";
    return t;
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

void writeTally(const std::string& path, const std::string& text) {
    writeBytes(path + ".txt", text);
    tally::Tlzrw1 doit;
    doit.CompressMode = tally::TCompressMode::Fast;
    doit.InputFile = path + ".txt";
    doit.OutputFile = path;
    doit.Compress();
}

// Every case writes its tally file at `path`.
const std::map<std::string, void (*)(const std::string&)>& cases() {
    static const std::map<std::string, void (*)(const std::string&)> all = {
        {"largest-within-limits",
         [](const std::string& p) { writeTally(p, gridText(tally::TallyStore::kMaxRows)); }},
        {"no-rows", [](const std::string& p) { writeTally(p, "9\r\n0\r\n"); }},
        {"million-rows", [](const std::string& p) { writeTally(p, "9\r\n1000000\r\n"); }},
        {"zero-columns", [](const std::string& p) { writeTally(p, "0\r\n1000000\r\n"); }},
        {"promises-2GiB",
         [](const std::string& p) {
             writeBytes(p, std::string("WRZL\xff\xff\xff\x7f\x03\x00\x00x9", 13));
         }},
        {"text-over-1MiB", [](const std::string& p) { writeTally(p, std::string(2 << 20, '\n')); }},
    };
    return all;
}

long peakKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int runCase(int argc, char** argv, const std::string& name, const std::string& dir) {
    QApplication app(argc, argv);
    platform::setBoxPresenter([](platform::BoxKind, const QString&) { return true; });
    const std::string path = dir + "/quivelotally.tld";
    cases().at(name)(path);
    { Ttallylist warmUp(nullptr, QString::fromStdString(dir + "/none.tld")); }
    const long before = peakKiB();
    QElapsedTimer clock;
    clock.start();
    Ttallylist window(nullptr, QString::fromStdString(path));
    QCoreApplication::processEvents();
    const qint64 ns = clock.nsecsElapsed();
    std::printf("%-22s %9.1f ms %9.1f MB %7d opponents\n", name.c_str(), ns / 1e6,
                (peakKiB() - before) / 1024.0, window.store().opponents());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3) return runCase(argc, argv, argv[1], argv[2]);
    std::printf("%-22s %12s %12s\n", "case", "load", "extra peak");
    for (const auto& [name, make] : cases()) {
        QTemporaryDir dir;
        std::fflush(stdout);
        QProcess one;
        one.setProcessChannelMode(QProcess::ForwardedOutputChannel);  // not the error texts
        one.start(argv[0], {QString::fromStdString(name), dir.path()});
        one.waitForFinished(-1);
    }
    return 0;
}
