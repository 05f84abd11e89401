#include "menu/main_menu.h"
#include "menu/command_pictures.h"
#include "menu/icon_menu.h"
#include "widgets/qt_text.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace kbs {

MainMenu::MainMenu(const ModelVariant& variant, QWidget* owner)
    : layout_(menuLayout(variant)), menuBar_(new QMenuBar(owner))
{
    menuBar_->setObjectName(QStringLiteral("menuBar"));
    // The menu belongs to the window, never to a desktop-wide menu bar.
    menuBar_->setNativeMenuBar(false);
    for (const MenuPopup& popup : layout_) {
        QMenu* menu = menuBar_->addMenu(toQString(popup.title));
        for (const MenuEntry& entry : popup.entries) {
            if (entry.commandId == 0) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(toQString(entry.label));
            action->setData(entry.commandId);
            action->setObjectName(QStringLiteral("command%1").arg(entry.commandId));
            actions_.insert(entry.commandId, action);
        }
    }
    auto* decoration = new CIconMenu(menuBar_);
    for (const CommandPicture& row : kCommandPictures)
        decoration->setPicture(row.commandId, row.picture);
}

} // namespace kbs
