#include "app/artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace kbs {

namespace {

constexpr int kImage = 16;
using Drawing = std::function<void(QPainter&)>;

QPixmap drawStrip(const std::vector<Drawing>& drawings)
{
    QPixmap strip(kImage * static_cast<int>(drawings.size()), kImage);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    for (const Drawing& draw : drawings) {
        p.save();
        draw(p);
        p.restore();
        p.translate(kImage, 0);
    }
    return strip;
}

const QColor kOutline(50, 50, 60);

void paperSheet(QPainter& p, const QRectF& r)
{
    QPainterPath sheet;
    sheet.moveTo(r.topLeft());
    sheet.lineTo(r.right() - 3, r.top());
    sheet.lineTo(r.right(), r.top() + 3);
    sheet.lineTo(r.bottomRight());
    sheet.lineTo(r.bottomLeft());
    sheet.closeSubpath();
    p.setPen(QPen(kOutline, 1));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
}

void smallPrinter(QPainter& p)
{
    p.setPen(QPen(kOutline, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 7, 5)); // paper
    p.setBrush(QColor(180, 186, 196));
    p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1, 1);
    p.setBrush(QColor(70, 76, 88));
    p.drawRect(QRectF(4.5, 8.5, 7, 1));
}

void arrow(QPainter& p, const QPointF& from, const QPointF& to, const QColor& colour)
{
    p.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::max(1.0, std::hypot(to.x() - from.x(), to.y() - from.y()));
    const QPointF n(-d.y(), d.x());
    QPolygonF head({to + d * 2, to - d * 2 + n * 3, to - d * 2 - n * 3});
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(head);
}

// Tab images.

void functionSelection(QPainter& p)
{
    p.setPen(QPen(kOutline, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    for (int row = 0; row < 3; ++row) {
        p.setPen(QPen(kOutline, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3.5, 3.5 + row * 4, 2, 2));
        p.setPen(QPen(QColor(90, 90, 110), 1));
        p.drawLine(QPointF(7.5, 4.5 + row * 4), QPointF(12.5, 4.5 + row * 4));
    }
    p.setPen(QPen(QColor(20, 140, 40), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPolyline(QPolygonF({{3, 8}, {4.5, 10}, {7, 6}}));
}

void memorySwitch(QPainter& p)
{
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(190, 40, 40));
    p.drawRect(QRectF(0.5, 3.5, 15, 9));
    for (int i = 0; i < 4; ++i) {
        const qreal x = 2.5 + i * 3.5;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(245, 245, 245));
        p.drawRect(QRectF(x, 5, 2, 6));
        p.setBrush(QColor(60, 60, 60));
        const bool on = i == 0 || i == 2;
        p.drawRect(QRectF(x, on ? 5 : 8, 2, 3));
    }
}

void parameters(QPainter& p)
{
    for (int row = 0; row < 3; ++row) {
        const qreal y = 3.5 + row * 4.5;
        p.setPen(QPen(QColor(90, 90, 110), 1.5));
        p.drawLine(QPointF(1.5, y), QPointF(14.5, y));
        const qreal knob = row == 0 ? 5 : row == 1 ? 11 : 7.5;
        p.setPen(QPen(kOutline, 1));
        p.setBrush(QColor(60, 120, 210));
        p.drawRect(QRectF(knob - 1.5, y - 2, 3, 4));
    }
}

void forms(QPainter& p)
{
    paperSheet(p, QRectF(2.5, 0.5, 11, 15));
    p.setPen(QPen(QColor(60, 120, 210), 1));
    for (int row = 0; row < 4; ++row)
        p.drawLine(QPointF(4.5, 5.5 + row * 2.5), QPointF(11.5, 5.5 + row * 2.5));
    p.setPen(QPen(QColor(200, 60, 60), 1));
    p.drawLine(QPointF(4.5, 3), QPointF(8.5, 3));
}

// Tool bar images.

void loadFile(QPainter& p)
{
    p.setPen(QPen(QColor(120, 90, 20), 1));
    p.setBrush(QColor(236, 196, 80));
    p.drawPolygon(QPolygonF({{0.5, 4.5}, {5.5, 4.5}, {6.5, 6}, {13.5, 6}, {13.5, 14.5}, {0.5, 14.5}}));
    p.setBrush(QColor(250, 222, 120));
    p.drawPolygon(QPolygonF({{2.5, 8.5}, {15.5, 8.5}, {13.5, 14.5}, {0.5, 14.5}}));
    arrow(p, QPointF(10, 5), QPointF(10, 1), QColor(30, 130, 40));
}

void saveFile(QPainter& p)
{
    p.setPen(QPen(QColor(20, 40, 90), 1));
    p.setBrush(QColor(50, 90, 180));
    p.drawPolygon(QPolygonF({{1.5, 1.5}, {12.5, 1.5}, {14.5, 3.5}, {14.5, 14.5}, {1.5, 14.5}}));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 1.5, 8, 5));
    p.setBrush(QColor(200, 205, 215));
    p.drawRect(QRectF(4.5, 9.5, 7, 5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 40, 90));
    p.drawRect(QRectF(9, 2.5, 1.5, 3));
}

void send(QPainter& p)
{
    p.save();
    p.translate(0, 3);
    smallPrinter(p);
    p.restore();
    arrow(p, QPointF(8, 5), QPointF(8, 1), QColor(30, 150, 40));
}

void factoryDefaults(QPainter& p)
{
    p.setPen(QPen(QColor(210, 110, 20), 2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(2.5, 2.5, 11, 11), 100 * 16, 280 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(210, 110, 20));
    p.drawPolygon(QPolygonF({{6.5, 0}, {11, 2.5}, {6.5, 5.5}}));
    p.setBrush(kOutline);
    p.drawEllipse(QPointF(8, 8), 1.5, 1.5);
}

void selectPrinter(QPainter& p)
{
    p.save();
    p.translate(0, 2);
    smallPrinter(p);
    p.restore();
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(QPointF(10.5, 10.5), 3.5, 3.5);
    p.setPen(QPen(kOutline, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(13, 13), QPointF(15, 15));
}

} // namespace

QPixmap tabImageStrip()
{
    return drawStrip({functionSelection, memorySwitch, parameters, forms});
}

QPixmap toolBarImageStrip()
{
    return drawStrip({loadFile, saveFile, send, factoryDefaults, selectPrinter});
}

} // namespace kbs
