#include "menu/icon_menu_painter.h"

#include "menu/icon_menu_geometry.h"

#include <QPainter>
#include <QStyleOptionMenuItem>

namespace kbs {

namespace {

// The system colours a menu is drawn in, from the palette roles that stand for them.
struct MenuColours {
    explicit MenuColours(const QPalette& palette)
        : menu(palette.color(QPalette::Active, QPalette::Window)),
          menuText(palette.color(QPalette::Active, QPalette::WindowText)),
          highlight(palette.color(QPalette::Active, QPalette::Highlight)),
          highlightText(palette.color(QPalette::Active, QPalette::HighlightedText)),
          face(palette.color(QPalette::Active, QPalette::Button)),
          shadow(palette.color(QPalette::Active, QPalette::Dark)),
          buttonHighlight(palette.color(QPalette::Active, QPalette::Light)),
          light3d(palette.color(QPalette::Active, QPalette::Midlight)),
          grayText(palette.color(QPalette::Disabled, QPalette::WindowText))
    {
    }
    QColor menu, menuText, highlight, highlightText, face, shadow, buttonHighlight, light3d, grayText;
};

void pixel(QPainter& p, QPoint at, const QColor& colour)
{
    p.fillRect(QRect(at, QSize(1, 1)), colour);
}

// A one-pixel frame: topLeft along the top and left, bottomRight along the bottom and right.
void frame(QPainter& p, const QRect& box, const QColor& topLeft, const QColor& bottomRight)
{
    p.fillRect(QRect(box.left(), box.top(), box.width(), 1), topLeft);
    p.fillRect(QRect(box.left(), box.top(), 1, box.height()), topLeft);
    p.fillRect(QRect(box.left(), box.bottom(), box.width(), 1), bottomRight);
    p.fillRect(QRect(box.right(), box.top(), 1, box.height()), bottomRight);
}

// The picture's shape (every pixel neither transparent, button face nor button highlight)
// in the highlight colour one pixel down and right, then in the shadow colour in place,
// on the button face.
void paintEmbossed(QPainter& p, const QPixmap& picture, QPoint at, const MenuColours& colours)
{
    const QImage source = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    QImage embossed(source.width() + 1, source.height() + 1, QImage::Format_ARGB32);
    embossed.fill(Qt::transparent);
    const auto inShape = [&](int x, int y) {
        const QRgb rgb = source.pixel(x, y);
        return qAlpha(rgb) != 0 && qRgb(qRed(rgb), qGreen(rgb), qBlue(rgb)) != colours.face.rgb() &&
               qRgb(qRed(rgb), qGreen(rgb), qBlue(rgb)) != colours.buttonHighlight.rgb();
    };
    for (const auto& [colour, offset] : {std::pair{colours.buttonHighlight, 1}, std::pair{colours.shadow, 0}})
        for (int y = 0; y < source.height(); ++y)
            for (int x = 0; x < source.width(); ++x)
                if (inShape(x, y))
                    embossed.setPixel(x + offset, y + offset, colour.rgb());
    p.fillRect(QRect(at, source.size()), colours.face);
    p.drawImage(at, embossed);
}

void paintPicture(QPainter& p, const QStyleOptionMenuItem& item, const icon_menu::ItemParts& parts,
                  const MenuColours& colours, bool checked)
{
    const QPixmap picture = item.icon.pixmap(QSize(kPictureWidth, kPictureHeight), 1.0);
    const bool enabled = item.state & QStyle::State_Enabled;
    const bool selected = item.state & QStyle::State_Selected;
    if (!enabled) {
        paintEmbossed(p, picture, parts.picture, colours);
        return;
    }
    if (selected) {
        // Raised under the highlight, pressed in when checked.
        if (checked)
            frame(p, parts.pictureBox, colours.shadow, colours.buttonHighlight);
        else
            frame(p, parts.pictureBox, colours.buttonHighlight, colours.shadow);
    } else if (checked) {
        p.fillRect(parts.pictureBox, colours.light3d);
        frame(p, parts.pictureBox, colours.shadow, colours.buttonHighlight);
    }
    p.drawPixmap(parts.picture, picture);
}

void paintCheckMark(QPainter& p, const QStyleOptionMenuItem& item, const icon_menu::ItemParts& parts,
                    const MenuColours& colours)
{
    const QRect& box = parts.checkBox;
    p.fillRect(box, (item.state & QStyle::State_Selected) ? colours.menu : colours.light3d);
    frame(p, box, colours.shadow, colours.buttonHighlight);
    if (item.checkType == QStyleOptionMenuItem::Exclusive) {
        p.setPen(Qt::NoPen);
        p.setBrush(colours.menuText);
        p.drawEllipse(icon_menu::kRadioDot.translated(box.topLeft()));
        return;
    }
    const QPoint origin = box.topLeft() + icon_menu::kTickOrigin;
    for (const QPoint offset : icon_menu::tickPixels())
        pixel(p, origin + offset, colours.menuText);
}

void paintText(QPainter& p, const QStyleOptionMenuItem& item, const icon_menu::ItemParts& parts,
               const MenuColours& colours, bool underlineMnemonics)
{
    const icon_menu::ItemText text = icon_menu::splitItemText(item.text);
    const int flags = Qt::TextSingleLine | Qt::AlignVCenter |
                      (underlineMnemonics ? Qt::TextShowMnemonic : Qt::TextHideMnemonic);
    const auto draw = [&](const QColor& colour, QPoint offset) {
        p.setPen(colour);
        p.drawText(parts.text.translated(offset), flags | Qt::AlignLeft, text.label);
        if (text.hasTab)
            p.drawText(parts.text.translated(offset), flags | Qt::AlignRight, text.shortcut);
    };
    p.setFont(item.font);
    const bool enabled = item.state & QStyle::State_Enabled;
    const bool selected = item.state & QStyle::State_Selected;
    if (enabled)
        draw(selected ? colours.highlightText : colours.menuText, {});
    else if (selected)
        draw(colours.menu, {});
    else {
        draw(colours.buttonHighlight, {1, 1});
        draw(colours.grayText, {});
    }
}

} // namespace

void paintIconMenuItem(QPainter& p, const QStyleOptionMenuItem& item, bool underlineMnemonics)
{
    const MenuColours colours(item.palette);
    p.save();
    p.translate(item.rect.topLeft());
    const QSize size = item.rect.size();
    p.fillRect(QRect(QPoint(0, 0), size), colours.menu);

    if (item.menuItemType == QStyleOptionMenuItem::Separator) {
        // Etched: a shadow line over a highlight line.
        const int middle = size.height() / 2;
        p.fillRect(QRect(0, middle, size.width(), 1), colours.shadow);
        p.fillRect(QRect(0, middle + 1, size.width(), 1), colours.buttonHighlight);
        p.restore();
        return;
    }

    const bool hasPicture = !item.icon.isNull();
    const bool checked = item.checkType != QStyleOptionMenuItem::NotCheckable && item.checked;
    const icon_menu::ItemParts parts =
        icon_menu::itemParts(size, hasPicture || checked, icon_menu::splitItemText(item.text).hasTab);
    if (item.state & QStyle::State_Selected)
        p.fillRect(parts.band, colours.highlight);
    if (hasPicture)
        paintPicture(p, item, parts, colours, checked);
    else if (checked)
        paintCheckMark(p, item, parts, colours);
    paintText(p, item, parts, colours, underlineMnemonics);
    p.restore();
}

} // namespace kbs
