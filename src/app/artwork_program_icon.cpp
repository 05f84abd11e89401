#include "app/artwork.h"

#include <QPainter>
#include <QPainterPath>

namespace kbs {

// Drawn on a 48 x 48 grid and scaled, so every size shows the same picture.
QPixmap programIconPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 48.0, size / 48.0);

    // Fan-fold paper leaving the top of the printer, with a row of printed dots.
    p.setPen(QPen(QColor(90, 90, 90), 1.2));
    p.setBrush(QColor(252, 252, 246));
    p.drawRect(QRectF(11, 3, 22, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 60, 120));
    for (int row = 0; row < 3; ++row)
        for (int dot = 0; dot < 7 - 2 * (row == 2); ++dot)
            p.drawEllipse(QPointF(15 + dot * 2.4, 8 + row * 4), 0.8, 0.8);
    p.setBrush(QColor(200, 200, 200));
    for (int hole = 0; hole < 4; ++hole) {
        p.drawEllipse(QPointF(13, 6 + hole * 4.5), 0.7, 0.7);
        p.drawEllipse(QPointF(31, 6 + hole * 4.5), 0.7, 0.7);
    }

    // The printer body.
    QLinearGradient body(0, 18, 0, 42);
    body.setColorAt(0, QColor(214, 219, 226));
    body.setColorAt(1, QColor(148, 156, 168));
    p.setPen(QPen(QColor(60, 66, 76), 1.5));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(3, 18, 38, 22), 3, 3);
    p.setPen(QPen(QColor(60, 66, 76), 1.2));
    p.setBrush(QColor(70, 76, 88));
    p.drawRect(QRectF(8, 21, 28, 3)); // paper slot
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(80, 200, 90));
    p.drawEllipse(QPointF(9, 35), 1.8, 1.8); // power lamp

    // The knob: a large dial on the front corner with its pointer.
    QRadialGradient knob(QPointF(35, 35), 11, QPointF(32, 31));
    knob.setColorAt(0, QColor(120, 170, 240));
    knob.setColorAt(1, QColor(20, 70, 160));
    p.setPen(QPen(QColor(15, 35, 90), 1.5));
    p.setBrush(knob);
    p.drawEllipse(QPointF(35, 35), 10, 10);
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(35, 35), QPointF(40, 28.5));
    p.setPen(QPen(QColor(15, 35, 90), 1.2));
    for (int tick = 0; tick < 5; ++tick) {
        p.save();
        p.translate(35, 35);
        p.rotate(-120 + tick * 60);
        p.drawLine(QPointF(0, -11.5), QPointF(0, -13));
        p.restore();
    }
    return pixmap;
}

} // namespace kbs
