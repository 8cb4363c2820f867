#include "ui/windows/AboutPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

void DrawCourt(QPainter& p) {
    // A court seen from behind the base line, narrowing towards the net.
    const QPolygonF court{{40, 230}, {280, 230}, {236, 120}, {84, 120}};
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(36, 128, 72));
    p.drawPolygon(court);
    p.setPen(QPen(Qt::white, 3));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(court);
    p.drawLine(QPointF(160, 120), QPointF(160, 230));
    p.drawLine(QPointF(56, 190), QPointF(264, 190));
    // The net at the far end.
    p.setPen(QPen(QColor(40, 40, 40), 1));
    for (int x = 84; x <= 236; x += 6)
        p.drawLine(x, 100, x, 120);
    for (int y = 100; y <= 120; y += 5)
        p.drawLine(84, y, 236, y);
    p.setPen(QPen(Qt::white, 3));
    p.drawLine(82, 100, 238, 100);
}

void DrawShuttlecock(QPainter& p) {
    p.save();
    p.translate(205, 62);
    p.rotate(-35);
    // Feather skirt.
    QPainterPath skirt;
    skirt.moveTo(-9, 0);
    skirt.lineTo(-26, -52);
    skirt.quadTo(0, -62, 26, -52);
    skirt.lineTo(9, 0);
    skirt.closeSubpath();
    p.setPen(QPen(QColor(120, 120, 120), 1.5));
    p.setBrush(QColor(250, 250, 245));
    p.drawPath(skirt);
    for (int x = -18; x <= 18; x += 9)
        p.drawLine(QPointF(x / 3.0, 0), QPointF(x, -55));
    p.setPen(QPen(QColor(200, 60, 40), 2));
    p.drawLine(QPointF(-15, -22), QPointF(15, -22));
    // Cork.
    p.setPen(QPen(QColor(90, 60, 30), 1));
    p.setBrush(QColor(205, 160, 100));
    p.drawChord(QRectF(-11, -8, 22, 22), 180 * 16, 180 * 16);
    p.drawRect(QRectF(-11, -2, 22, 5));
    p.restore();
}

} // namespace

QPixmap AboutPicture() {
    QPixmap pixmap(320, 240);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 240);
    sky.setColorAt(0, QColor(166, 202, 240));
    sky.setColorAt(1, QColor(240, 246, 252));
    p.fillRect(pixmap.rect(), sky);
    DrawCourt(p);
    DrawShuttlecock(p);
    return pixmap;
}
