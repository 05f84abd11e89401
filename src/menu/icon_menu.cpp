#include "menu/icon_menu.h"

#include "menu/icon_menu_style.h"
#include "menu/letter_keys.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

namespace kbs {

namespace {

// A character typed into the menu, as opposed to a navigation or control key.
bool isTypedCharacter(const QKeyEvent& key)
{
    if (key.modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return false;
    const QString text = key.text();
    return text.size() == 1 && text.front().isPrint();
}

} // namespace

CIconMenu::CIconMenu(QMenuBar* menuBar)
    : QObject(menuBar), menuBar_(menuBar),
      style_(std::make_unique<IconMenuStyle>(menuBar->sizeHint().height()))
{
    for (QAction* entry : menuBar->actions()) {
        if (QMenu* dropDown = entry->menu()) {
            dropDown->setStyle(style_.get());
            dropDown->installEventFilter(this);
            dropDowns_.append(dropDown);
        }
    }
}

CIconMenu::~CIconMenu()
{
    for (const QPointer<QMenu>& dropDown : dropDowns_) {
        if (dropDown) {
            dropDown->removeEventFilter(this);
            dropDown->setStyle(nullptr);
        }
    }
}

void CIconMenu::setPicture(int commandId, Picture picture)
{
    const QPixmap image = commandPicture(picture, menuBar_->palette());
    for (const QPointer<QMenu>& dropDown : dropDowns_) {
        for (QAction* item : dropDown->actions()) {
            if (!item->isSeparator() && item->data().toInt() == commandId) {
                item->setIcon(image.isNull() ? QIcon() : QIcon(image));
                item->setIconVisibleInMenu(true);
            }
        }
    }
}

bool CIconMenu::eventFilter(QObject* watched, QEvent* event)
{
    auto* dropDown = qobject_cast<QMenu*>(watched);
    if (!dropDown || event->type() != QEvent::KeyPress || !isTypedCharacter(*static_cast<QKeyEvent*>(event)))
        return QObject::eventFilter(watched, event);
    if (QAction* item = letterKeyItem(dropDown->actions(), static_cast<QKeyEvent*>(event)->text().front())) {
        // Run through the menu's own Return handling, which closes every open menu first.
        dropDown->setActiveAction(item);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(dropDown, &enter);
    }
    // Taken either way: a key that names no item leaves the menu open and runs nothing.
    return true;
}

} // namespace kbs
