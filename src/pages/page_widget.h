#pragma once

#include "core/settings_page.h"

#include <QWidget>

namespace kbs {

// A tab page as the main window hosts it.
class PageWidget : public QWidget, public SettingsPage {
    Q_OBJECT
public:
    using QWidget::QWidget;

signals:
    // The data check (command 32805): raised after every change the user makes.
    void dataCheckRequested();
};

} // namespace kbs
