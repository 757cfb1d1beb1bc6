#pragma once

#include <QColor>

// The game's colours: lime on black with a darker green, white, and the red and
// green of the dartboard's rings as accents.
namespace palette {

inline const QColor kLime{0x00, 0xff, 0x00};
inline const QColor kLimeSoft{0x7c, 0xff, 0x7c};
inline const QColor kBlack{0x00, 0x00, 0x00};
inline const QColor kInk{0x0c, 0x0e, 0x0c};
inline const QColor kDarkGreen{0x0a, 0x4a, 0x12};
inline const QColor kDeepGreen{0x04, 0x22, 0x08};
inline const QColor kWhite{0xff, 0xff, 0xff};
inline const QColor kCream{0xf1, 0xec, 0xd6};
inline const QColor kRed{0xd6, 0x1f, 0x26};
inline const QColor kBoardGreen{0x0d, 0x8c, 0x34};

}  // namespace palette
