#include "app/tab_keys.h"

#include "app/accelerator_table.h"

#include <QAction>
#include <QWidget>

namespace kbs {

void addTabKeys(AcceleratorTable& accelerators, QWidget* owner, const std::function<void(int)>& move)
{
    struct TabKey {
        QKeyCombination key;
        int step;
    };
    // Shift+Tab reaches the program as Backtab on most platforms, as Tab on others.
    const TabKey keys[] = {
        {Qt::CTRL | Qt::Key_Tab, 1},
        {Qt::CTRL | Qt::Key_PageDown, 1},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, -1},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, -1},
        {Qt::CTRL | Qt::Key_PageUp, -1},
    };
    for (const TabKey& key : keys) {
        if (accelerators.actionFor(key.key))
            continue;
        auto* action = new QAction(owner);
        QObject::connect(action, &QAction::triggered, owner, [move, step = key.step] { move(step); });
        accelerators.add(key.key, action);
    }
}

} // namespace kbs
