#pragma once

#include <QSize>

class QFont;

namespace kbs {

// Every page is 230 x 190 dialog units of its font.
QSize pageSize(const QFont& font);

} // namespace kbs
