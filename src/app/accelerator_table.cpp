#include "app/accelerator_table.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

namespace kbs {

namespace {
constexpr QKeyCombination kCloseKey(Qt::AltModifier, Qt::Key_F4);
}

AcceleratorTable::AcceleratorTable(QWidget* window) : QObject(window), window_(window)
{
    qApp->installEventFilter(this);
}

void AcceleratorTable::add(const QString& key, QAction* action)
{
    const QKeySequence sequence = QKeySequence::fromString(key, QKeySequence::PortableText);
    if (sequence.count() == 1)
        table_.insert(sequence[0], action);
}

bool AcceleratorTable::isInWindow(QObject* object) const
{
    const QWidget* widget = qobject_cast<QWidget*>(object);
    return widget && widget->window() == window_;
}

bool AcceleratorTable::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    if (!isInWindow(watched))
        return false;
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    const QKeyCombination key = keyEvent->keyCombination();

    // Alt+F4 is the window's own close command, where no window manager takes it first.
    const bool isCloseKey = key == kCloseKey;
    QAction* action = table_.value(key);
    if (!action && !isCloseKey)
        return false;

    if (event->type() == QEvent::ShortcutOverride) {
        // Claim the key so that no control and no shortcut takes it; it comes back here as
        // a key press.
        event->accept();
        return true;
    }
    if (isCloseKey)
        window_->close();
    else if (action->isEnabled())
        action->trigger();
    return true;
}

} // namespace kbs
