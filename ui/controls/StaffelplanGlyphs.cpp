#include "ui/controls/StaffelplanGlyphs.h"

#include <QPainter>
#include <QPolygonF>

namespace {

QPixmap Glyph(const QColor& colour, const QPolygonF& first, const QPolygonF& second = {}) {
    QPixmap pixmap(18, 18);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(first);
    if (!second.isEmpty())
        p.drawPolyline(second);
    return pixmap;
}

} // namespace

QPixmap OkGlyph() {
    return Glyph(QColor(0, 128, 0), {{3, 9}, {7, 14}, {15, 4}});
}

QPixmap CancelGlyph() {
    return Glyph(QColor(192, 0, 0), {{4, 4}, {14, 14}}, {{14, 4}, {4, 14}});
}
