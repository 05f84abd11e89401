#include "menu/icon_menu_style.h"

#include "menu/icon_menu_geometry.h"
#include "menu/icon_menu_painter.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QStyleOptionMenuItem>

namespace kbs {

namespace {

// An action's text as the menu shows it, a shortcut of its own after a tab.
QString shownText(const QAction* action)
{
    const QString text = action->text();
    if (text.contains(u'\t') || action->shortcut().isEmpty())
        return text;
    return text + u'\t' + action->shortcut().toString(QKeySequence::NativeText);
}

template <typename Visit> void forEachItem(const QMenu* menu, Visit visit)
{
    for (const QAction* action : menu->actions())
        if (action->isVisible() && !action->isSeparator())
            visit(icon_menu::splitItemText(shownText(action)));
}

// The widest label of the drop-down with one space appended.
int widestLabel(const QMenu* menu, const QString& ownLabel, const QFontMetrics& metrics)
{
    int widest = metrics.horizontalAdvance(ownLabel + u' ');
    if (menu)
        forEachItem(menu, [&](const icon_menu::ItemText& text) {
            widest = std::max(widest, metrics.horizontalAdvance(text.label + u' '));
        });
    return widest;
}

// QMenu widens every row by its widest shortcut text after asking for the rows' sizes;
// the width asked for leaves that part out, so the menu ends up as wide as its widest item.
int shortcutColumnOf(const QMenu* menu)
{
    int column = 0;
    if (menu)
        forEachItem(menu, [&](const icon_menu::ItemText& text) {
            if (text.hasTab)
                column = std::max(column, menu->fontMetrics().horizontalAdvance(text.fromTab.mid(1)));
        });
    return column;
}

} // namespace

IconMenuStyle::IconMenuStyle(int menuBarHeight) : menuBarHeight_(menuBarHeight) {}

QSize IconMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                      const QWidget* widget) const
{
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (type != CT_MenuItem || !item)
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    if (item->menuItemType == QStyleOptionMenuItem::Separator)
        return icon_menu::separatorSize(menuBarHeight_);

    const auto* menu = qobject_cast<const QMenu*>(widget);
    const icon_menu::ItemText text = icon_menu::splitItemText(item->text);
    const int widest = widestLabel(menu, text.label, item->fontMetrics);
    QSize itemSize =
        icon_menu::itemSize(icon_menu::wholeTextWidth(text, widest, item->fontMetrics), menuBarHeight_);
    itemSize.setWidth(std::max(1, itemSize.width() - shortcutColumnOf(menu)));
    return itemSize;
}

void IconMenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                const QWidget* widget) const
{
    if (element == CE_MenuItem) {
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            paintIconMenuItem(*painter, *item, styleHint(SH_UnderlineShortcut, option, widget, nullptr) != 0);
            return;
        }
    }
    if (element == CE_MenuEmptyArea) {
        // The margins around the items in the menu colour, like the items themselves.
        painter->fillRect(option->rect, option->palette.color(QPalette::Active, QPalette::Window));
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void IconMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                  const QWidget* widget) const
{
    if (element != PE_FrameMenu) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // A raised border of two lines around a band of the menu colour.
    const QPalette& palette = option->palette;
    const auto colour = [&palette](QPalette::ColorRole role) {
        return palette.color(QPalette::Active, role);
    };
    const auto edge = [painter](const QRect& box, const QColor& topLeft, const QColor& bottomRight) {
        painter->fillRect(QRect(box.left(), box.top(), box.width(), 1), topLeft);
        painter->fillRect(QRect(box.left(), box.top(), 1, box.height()), topLeft);
        painter->fillRect(QRect(box.left(), box.bottom(), box.width(), 1), bottomRight);
        painter->fillRect(QRect(box.right(), box.top(), 1, box.height()), bottomRight);
    };
    const QRect outer = option->rect;
    painter->fillRect(outer, colour(QPalette::Window));
    edge(outer, colour(QPalette::Midlight), colour(QPalette::Shadow));
    edge(outer.adjusted(1, 1, -1, -1), colour(QPalette::Light), colour(QPalette::Dark));
}

int IconMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    if (metric == PM_MenuPanelWidth)
        return 3;
    if (metric == PM_MenuHMargin || metric == PM_MenuVMargin)
        return 0;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

int IconMenuStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                             QStyleHintReturn* returnData) const
{
    // A grayed item is highlighted under the pointer like any other; it only does nothing.
    if (hint == SH_Menu_AllowActiveAndDisabled)
        return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

} // namespace kbs
