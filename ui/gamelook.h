#pragma once

class QWidget;

namespace ui {

// The game's own look for a window of its own: lime text on black, over the main
// window's tiled background picture.
void applyGameLook(QWidget& window);

}  // namespace ui
