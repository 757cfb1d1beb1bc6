#include "platform/programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

QString programFolder() {
    const QString forced = qEnvironmentVariable("QUIVELO_PROGRAM_DIR");
    if (!forced.isEmpty()) {
        QDir().mkpath(forced);
        return forced;
    }
    const QString exeDir = QCoreApplication::applicationDirPath();
    if (QFileInfo(exeDir).isWritable()) return exeDir;
    QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return data;
}

QString programFile(const QString& fileName) {
    return QDir(programFolder()).filePath(fileName);
}

}  // namespace platform
