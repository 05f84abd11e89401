#pragma once

class QPainter;
class QStyleOptionMenuItem;

namespace kbs {

// Draws one drop-down item into its rectangle: background and highlight band, the picture
// (embossed when disabled) or a drawn check mark, and the text.
void paintIconMenuItem(QPainter& painter, const QStyleOptionMenuItem& item, bool underlineMnemonics);

} // namespace kbs
