#include "menu/letter_keys.h"

#include <QAction>

namespace kbs {

QAction* letterKeyItem(const QList<QAction*>& items, QChar typed)
{
    const QString mnemonic = (QStringLiteral("&") + typed).toLower();
    for (QAction* item : items)
        if (!item->isSeparator() && item->isVisible() && item->isEnabled() &&
            item->text().toLower().contains(mnemonic))
            return item;
    return nullptr;
}

} // namespace kbs
