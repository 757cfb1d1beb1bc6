#include "platform/shell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace platform {

bool openUrl(const QString& address) {
    QUrl url = QUrl::fromUserInput(address);
    return url.isValid() && QDesktopServices::openUrl(url);
}

bool startProgram(const QString& path, const QStringList& arguments) {
    return QProcess::startDetached(path, arguments);
}

}  // namespace platform
