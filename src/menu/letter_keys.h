#pragma once

#include <QList>

class QAction;
class QChar;

namespace kbs {

// The item that a letter typed in an open drop-down runs: the first enabled item from the
// top whose text, lower-cased, holds "&" and the letter in lower case. nullptr when none
// does; the key then does nothing. A grayed item is never run from the keyboard.
QAction* letterKeyItem(const QList<QAction*>& items, QChar typed);

} // namespace kbs
