#include "app/main_tool_bar.h"

#include "widgets/qt_text.h"

#include <QAction>
#include <QToolButton>

namespace kbs {

namespace {
constexpr qsizetype kToolTipLimit = 79;
}

int menuTwinOf(int commandId)
{
    for (const ToolButtonSpec& button : kToolButtons)
        if (button.toolbarId == commandId)
            return button.commandId;
    return commandId;
}

QString toolTipText(std::string_view text)
{
    const QString full = toQString(text);
    // Counted in characters, so a character outside the basic plane is never split.
    const QList<uint> characters = full.toUcs4();
    if (characters.size() <= kToolTipLimit)
        return full;
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.constData()), kToolTipLimit);
}

MainToolBar::MainToolBar(const std::function<QAction*(int commandId)>& actionOf, QWidget* parent)
    : QToolBar(parent)
{
    setObjectName(QStringLiteral("toolBar"));
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(16, 16));
    setToolButtonStyle(Qt::ToolButtonIconOnly);

    for (const ToolButtonSpec& entry : kToolButtons) {
        if (entry.separatorBefore)
            addSeparator();
        // The action carries the command's picture, the same in the menu.
        QAction* action = actionOf(entry.commandId);
        action->setToolTip(toolTipText(entry.toolTip));
        addAction(action);
        QWidget* widget = widgetForAction(action);
        widget->setObjectName(QStringLiteral("toolButton%1").arg(entry.toolbarId));
        widget->setProperty("toolbarId", entry.toolbarId);
    }
}

QToolButton* MainToolBar::button(int toolbarId) const
{
    return findChild<QToolButton*>(QStringLiteral("toolButton%1").arg(toolbarId));
}

} // namespace kbs
