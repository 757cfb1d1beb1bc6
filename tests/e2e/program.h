#pragma once

#include <QMap>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

// A built program of ours started as a child process, on the offscreen platform,
// with a program folder and a runtime folder of its own (unless shared on purpose).
class Program {
  public:
    explicit Program(const QString& name, const QString& runtimeDir = {});
    ~Program();

    // An environment variable for the next start (DISPLAY, say).
    void setEnvironment(const QString& name, const QString& value) { extraEnv_[name] = value; }
    // `wrapper` runs the program (strace and its options, say).
    void start(const QStringList& arguments, const QStringList& wrapper = {});
    bool waitForExit(int ms);
    bool running() const { return process_.state() != QProcess::NotRunning; }
    int exitCode() const { return process_.exitCode(); }
    QByteArray output();  // standard output so far
    QByteArray errors();  // standard error so far
    QString runtimeDir() const { return runtimeDir_; }
    QString programDir() const { return programDir_.path(); }
    qint64 pid() const { return process_.processId(); }
    void stop();  // SIGTERM, then SIGKILL after a while

    static QString binary(const QString& name);

  private:
    QString name_;
    QProcess process_;
    QTemporaryDir programDir_;
    std::unique_ptr<QTemporaryDir> ownRuntime_;
    QString runtimeDir_;
    QByteArray out_, err_;
    QMap<QString, QString> extraEnv_;
};

// A fresh runtime folder (mode 0700, as the runtime folder must be).
std::unique_ptr<QTemporaryDir> makeRuntimeDir();

// Starts `host` (quivelo-host) on a free port and returns the port it reports, or 0.
quint16 startHost(Program& host, const QStringList& moreArguments = {});

// Runs a shell command with its output discarded; its exit status.
int shell(const QString& command);
// Moves the calling process into a network namespace of its own with loopback up,
// where firewall rules and network settings disturb nothing else. False without root.
bool enterPrivateNetwork();
