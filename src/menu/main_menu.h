#pragma once

#include "menu/menu_layout.h"

#include <QHash>

class QAction;
class QMenuBar;
class QWidget;

namespace kbs {

// The main window's menu bar built from the variant's menu layout, its drop-downs decorated
// with the commands' pictures. Every command has one QAction; the tool bar shows the same
// action and its picture, so a command's two views never disagree.
class MainMenu {
public:
    MainMenu(const ModelVariant& variant, QWidget* owner);

    QMenuBar* menuBar() const { return menuBar_; }
    // The action of a command id, or nullptr when the menu has no such command.
    QAction* action(int commandId) const { return actions_.value(commandId); }
    const std::vector<MenuPopup>& layout() const { return layout_; }

private:
    std::vector<MenuPopup> layout_;
    QMenuBar* menuBar_;
    QHash<int, QAction*> actions_;
};

} // namespace kbs
