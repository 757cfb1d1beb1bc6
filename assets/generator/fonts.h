#pragma once

#include <QFont>

// Fonts come from Debian's fonts-dejavu-core files, loaded by path, so the pictures
// do not change with the machine's font configuration.
namespace fonts {

// Registers the font files; false when one of them is missing.
bool load();

QFont sansBold(qreal pixelSize);
QFont condensedBold(qreal pixelSize);

}  // namespace fonts
