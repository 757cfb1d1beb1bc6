#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QLocalServer;

namespace platform {

// One running copy per user: the first copy holds a lock file named after the
// instance and listens on a local socket of the same name; a later copy finds the
// lock taken, asks the first copy through that socket to come forward, and ends.
class SingleInstance : public QObject {
    Q_OBJECT
  public:
    SingleInstance() = default;
    ~SingleInstance() override;

    // True when another copy already holds `name`; with `restore` it is asked to
    // bring its window forward. Otherwise this copy now holds the name.
    bool CheckPrevInstance(const QString& name, bool restore);

    // Called in the first copy when a later copy asks it to come forward.
    void setOnRestore(std::function<void()> onRestore) { onRestore_ = std::move(onRestore); }

  private:
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
    std::function<void()> onRestore_;
};

// A named object held for the life of the process (nothing waits on it).
std::unique_ptr<QLockFile> createNamedMutex(const QString& name);

// Where the lock files and the local sockets live: the user's runtime folder.
QString runtimeFolder();

}  // namespace platform
