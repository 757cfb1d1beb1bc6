#include "tests/e2e/program.h"

#include <QFile>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include <sched.h>

#include <csignal>
#include <cstdlib>

#include "tests/support/eventloop.h"

std::unique_ptr<QTemporaryDir> makeRuntimeDir() {
    auto dir = std::make_unique<QTemporaryDir>();
    QFile::setPermissions(dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return dir;
}

QString Program::binary(const QString& name) {
    return QString(QUIVELO_BIN_DIR) + "/" + name;
}

Program::Program(const QString& name, const QString& runtimeDir) : name_(name) {
    if (runtimeDir.isEmpty()) {
        ownRuntime_ = makeRuntimeDir();
        runtimeDir_ = ownRuntime_->path();
    } else {
        runtimeDir_ = runtimeDir;
    }
}

Program::~Program() {
    stop();
}

void Program::start(const QStringList& arguments, const QStringList& wrapper) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_RUNTIME_DIR", runtimeDir_);
    env.insert("QUIVELO_PROGRAM_DIR", programDir_.path());
    for (auto it = extraEnv_.cbegin(); it != extraEnv_.cend(); ++it)
        env.insert(it.key(), it.value());
    process_.setProcessEnvironment(env);
    if (wrapper.isEmpty()) {
        process_.start(binary(name_), arguments);
    } else {
        process_.start(wrapper.front(), wrapper.mid(1) + QStringList{binary(name_)} + arguments);
    }
    process_.waitForStarted(5000);
}

bool Program::waitForExit(int ms) {
    if (!running()) return true;
    return process_.waitForFinished(ms);
}

QByteArray Program::output() {
    out_ += process_.readAllStandardOutput();
    return out_;
}

QByteArray Program::errors() {
    err_ += process_.readAllStandardError();
    return err_;
}

void Program::stop() {
    if (!running()) return;
    ::kill(pid_t(process_.processId()), SIGTERM);
    if (!process_.waitForFinished(3000)) {
        process_.kill();
        process_.waitForFinished(3000);
    }
}

quint16 startHost(Program& host, const QStringList& moreArguments) {
    host.start(QStringList({"--port", "0"}) + moreArguments);
    QRegularExpressionMatch m;
    testsupport::waitUntil([&] {
        m = QRegularExpression("listening on port (\\d+)\n").match(QString(host.output()));
        return m.hasMatch();
    });
    return quint16(m.captured(1).toUInt());
}

int shell(const QString& command) {
    return std::system(qPrintable(command + " >/dev/null 2>&1"));
}

bool enterPrivateNetwork() {
    return ::unshare(CLONE_NEWNET) == 0 && shell("ip link set lo up") == 0;
}
