#include "download/installer.h"

#include <QCryptographicHash>
#include <QFile>

#include "platform/shell.h"

namespace installer {

QString url() {
    const QString fromEnvironment = qEnvironmentVariable("QUIVELO_INSTALLER_URL");
    return fromEnvironment.isEmpty() ? QStringLiteral(QUIVELO_INSTALLER_URL) : fromEnvironment;
}

QString expectedDigest() {
    return QStringLiteral(QUIVELO_INSTALLER_SHA256);
}

QString fileName(const QString& address) {
    return address.mid(address.lastIndexOf('/') + 1);
}

bool digestMatches(const QString& path, const QString& expected) {
    if (expected.isEmpty()) return true;
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file)) return false;
    return QString::fromLatin1(hash.result().toHex())
               .compare(expected.trimmed(), Qt::CaseInsensitive) == 0;
}

bool start(const QString& path) {
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
    return platform::startProgram(path, {"/SP-", "/silent", "/noicons"});
}

}  // namespace installer
