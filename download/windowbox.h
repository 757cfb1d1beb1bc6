#pragma once

#include <QString>

#include "platform/messagebox.h"

class QWidget;

// A message box of a window that stays on top of the others. A box without a
// parent would open behind such a window and the program would look frozen, so
// this one opens as the window's own child, above it. A presenter installed with
// platform::setBoxPresenter (the tests' recorder) still receives every box.
void windowBox(QWidget* window, platform::BoxKind kind, const QString& text);
