#pragma once

#include <QPixmap>
#include <QString>

namespace ui {

// Loads an embedded picture by its base name (":/images/dice3.jpg"), taking the
// twice-as-large drawing ("dice3@2x.jpg") on a high-density screen so that it stays
// sharp. A missing picture gives a null pixmap.
QPixmap picture(const QString& fileName, qreal devicePixelRatio = 0);

}  // namespace ui
