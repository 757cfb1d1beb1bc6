#include "ui/pictures.h"

#include <QFile>
#include <QGuiApplication>

namespace ui {

QPixmap picture(const QString& fileName, qreal devicePixelRatio) {
    if (devicePixelRatio <= 0)
        devicePixelRatio = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                               ? qApp->devicePixelRatio()
                               : 1.0;
    const QString path = QStringLiteral(":/images/") + fileName;
    if (devicePixelRatio > 1.25) {
        const qsizetype dot = path.lastIndexOf('.');
        QPixmap big(path.left(dot) + QStringLiteral("@2x") + path.mid(dot));
        if (!big.isNull()) {
            big.setDevicePixelRatio(2.0);
            return big;
        }
    }
    return QPixmap(path);
}

}  // namespace ui
