#include "menu/icon_menu_geometry.h"

#include <QFontMetrics>
#include <algorithm>

namespace kbs::icon_menu {

QSize separatorSize(int menuBarHeight)
{
    return {1, menuBarHeight / 2};
}

QSize itemSize(int textWidth, int menuBarHeight)
{
    return {textWidth + 2 * kPictureWidth + 1, std::max(menuBarHeight, kMinimumItemHeight)};
}

ItemText splitItemText(const QString& text)
{
    const qsizetype firstTab = text.indexOf(u'\t');
    if (firstTab < 0)
        return {text, {}, {}, false};
    return {text.left(firstTab), text.mid(text.lastIndexOf(u'\t') + 1), text.mid(firstTab), true};
}

QString alignedLabel(const QString& label, int widest, const QFontMetrics& metrics)
{
    QString aligned = label;
    // Bounded, so a font whose space has no width cannot hold the menu.
    for (int spaces = 0; metrics.horizontalAdvance(aligned) < widest && spaces < widest; ++spaces)
        aligned += u' ';
    return aligned;
}

int wholeTextWidth(const ItemText& text, int widest, const QFontMetrics& metrics)
{
    if (!text.hasTab)
        return metrics.horizontalAdvance(text.label);
    QString rest = text.fromTab;
    rest.replace(u'\t', u' ');
    return metrics.horizontalAdvance(alignedLabel(text.label, widest, metrics) + rest);
}

ItemParts itemParts(QSize item, bool pictureOrCheck, bool hasShortcut)
{
    // Centres the 15-pixel picture and its two-pixel margins in a higher item.
    const int h = std::max(0, (item.height() - kPictureHeight - 4) / 2);
    ItemParts parts;
    parts.pictureBox = QRect(QPoint(1, h + 1), QPoint(18, h + 17));
    parts.picture = QPoint(2, h + 2);
    parts.checkBox = QRect(QPoint(1, h + 2), QPoint(16, h + 16));
    const int bandLeft = pictureOrCheck ? kBandLeft : 0;
    parts.band = QRect(bandLeft, 0, item.width() - bandLeft, item.height());
    // One pixel higher than the item.
    parts.text = QRect(kTextLeft, -1, item.width() - kTextLeft, item.height());
    if (hasShortcut)
        parts.text.setRight(parts.text.right() - kShortcutRightGap);
    return parts;
}

} // namespace kbs::icon_menu
