#pragma once

#include <QIcon>

namespace kbs {

// The program icon: a dot-matrix printer with a settings knob, at 16, 32, 48 and 64 pixels,
// drawn at build time.
QIcon programIcon();

// The same picture drawn at any size, for the desktop's icon theme.
QPixmap programIconPixmap(int size);

} // namespace kbs
