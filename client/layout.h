#pragma once

#include <QRect>
#include <QString>
#include <vector>

// The main window's fixed places, in pixels at 96 dots per inch, relative to the
// containing panel.
namespace layout {

inline constexpr int kClientWidth = 783;
inline constexpr int kClientHeight = 467;

struct Place {
    const char* name;
    const char* parent;  // "" = the window's client area
    QRect rect;
};

const std::vector<Place>& places();
// The place of a control; throws std::out_of_range for an unknown name.
const Place& place(const QString& name);

}  // namespace layout
