#pragma once

#include <QIcon>
#include <QPixmap>
#include <vector>

namespace kbs {

// The program's own pictures, drawn at start-up.

// The program icon: a dot-matrix printer with a settings knob, at 16, 32 and 48 pixels.
QIcon programIcon();

// The same picture drawn at any size, for the desktop's icon theme.
QPixmap programIconPixmap(int size);

// The tab strip's images side by side, 16 pixels each: function selection, memory
// switch, parameters, forms.
QPixmap tabImageStrip();

// The tool bar's images side by side, 16 pixels each: load, save, send, factory
// defaults, printer selection.
QPixmap toolBarImageStrip();

// Cuts a strip of square images into its images.
std::vector<QPixmap> cutImageStrip(const QPixmap& strip, int imageWidth);

} // namespace kbs
