#pragma once

#include "menu/command_pictures.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <array>

class QFontMetrics;

namespace kbs::icon_menu {

// Items are never lower than a picture with two pixels above and below it.
inline constexpr int kMinimumItemHeight = kPictureHeight + 4;
// Text starts right of the picture column.
inline constexpr int kTextLeft = kPictureWidth + 9;
// The highlight band leaves the picture column in the menu colour.
inline constexpr int kBandLeft = 21;
// The shortcut text ends this far from the item's right edge.
inline constexpr int kShortcutRightGap = 16;

// A separator: half as high as the menu bar. It is given a width of 1 rather than 0 only
// because the menu drops rows of no width; every row takes the menu's width anyway.
QSize separatorSize(int menuBarHeight);
// An item whose whole text is textWidth wide: two picture widths and one pixel wider,
// and as high as the menu bar but never lower than the minimum.
QSize itemSize(int textWidth, int menuBarHeight);

// An item's text: the label before the first tab and the shortcut after the last one.
struct ItemText {
    QString label;
    QString shortcut;
    QString fromTab; // the text from the first tab on, empty without a tab
    bool hasTab = false;
};
ItemText splitItemText(const QString& text);

// The label with spaces appended until it is at least widest wide, so that the shortcut
// columns of a drop-down line up.
QString alignedLabel(const QString& label, int widest, const QFontMetrics& metrics);
// The width of an item's whole text once its label is aligned to widest; a tab measures
// as a space, as a plain text extent has no tab stops.
int wholeTextWidth(const ItemText& text, int widest, const QFontMetrics& metrics);

// Where the parts of an item go, in the item's own coordinates.
struct ItemParts {
    QRect pictureBox; // the frame around a picture
    QPoint picture;   // the picture's top left corner
    QRect checkBox;   // the box of a drawn check mark
    QRect band;       // the highlight of a selected item
    QRect text;       // label left-aligned in it, shortcut right-aligned
};
ItemParts itemParts(QSize item, bool pictureOrCheck, bool hasShortcut);

// The tick of a check mark, pixel by pixel, from the point (4, 4) of the check box.
inline constexpr QPoint kTickOrigin{4, 4};
constexpr std::array<QPoint, 21> tickPixels()
{
    std::array<QPoint, 21> pixels{{{0, 2}, {0, 3}, {0, 4}, {1, 3}, {1, 4}, {1, 5}, {2, 4}}};
    std::size_t next = 7;
    for (int i = 0; i <= 3; ++i) {
        pixels[next++] = {i + 2, 5 - i};
        pixels[next++] = {i + 2, 6 - i};
        pixels[next++] = {i + 3, 3 - i};
    }
    pixels[next++] = {6, 1};
    pixels[next] = {6, 2};
    return pixels;
}
// The dot of a checked radio item, from the check box's corner.
inline constexpr QRect kRadioDot{5, 4, 6, 6};

} // namespace kbs::icon_menu
