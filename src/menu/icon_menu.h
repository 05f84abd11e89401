#pragma once

#include "menu/command_pictures.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <memory>

class QMenu;
class QMenuBar;

namespace kbs {

class IconMenuStyle;

// Decorates the drop-down menus of a menu bar: a picture beside each command that has one,
// drawn check marks, aligned shortcut texts, and letter keys that run the item they name.
// The entries of the bar itself stay plain text. Created after the drop-downs, as a child
// of the bar, so that it outlives them.
class CIconMenu : public QObject {
    Q_OBJECT
public:
    explicit CIconMenu(QMenuBar* menuBar);
    ~CIconMenu() override;

    // Gives the item of the command, wherever it is in the menu, the picture in the bar's
    // colours of now. A picture that cannot be made leaves the item without one.
    void setPicture(int commandId, Picture picture);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMenuBar* menuBar_;
    std::unique_ptr<IconMenuStyle> style_;
    QList<QPointer<QMenu>> dropDowns_;
};

} // namespace kbs
