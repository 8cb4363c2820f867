#include "report/qt/PagePainter.h"

#include "report/qt/QtText.h"
#include "report/qt/QtTextMeasure.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>

namespace {

constexpr double kPdfPixelsPerInch = 120.0;

QPen LinePen(const TPageItem& item, const TPaintMetrics& metrics) {
    QPen pen(Qt::black);
    pen.setWidthF(item.LineWidth * metrics.PixelWidth);
    pen.setStyle(item.LineStyle == psDash ? Qt::DashLine : Qt::SolidLine);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

void PaintText(QPainter& painter, const TPageItem& item, const TPaintMetrics& metrics) {
    QPaintDevice* device = painter.device();
    QFont font = PageQFont(item.Font);
    // The device turns points into pixels at its own resolution; scale so the
    // text has its size at the resolution painted at (a zoomed preview).
    const double deviceDpi = device ? device->logicalDpiY() : metrics.DotsPerInchY;
    font.setPointSizeF(item.Font.Size * metrics.DotsPerInchY / deviceDpi);
    font = device ? QFont(font, device) : font;
    painter.setFont(font);
    const QFontMetricsF fm(font, device);
    const QString text = ToQString(item.Text);
    const double width = fm.horizontalAdvance(text);
    const double left = item.Left * metrics.DotsPerInchX;
    const double span = item.Width * metrics.DotsPerInchX;
    double x = left;
    if (item.Justify == pjCenter)
        x = left + (span - width) / 2;
    else if (item.Justify == pjRight)
        x = left + span - width;
    const double baseline =
        (item.Top + LineHeight(item.Font)) * metrics.DotsPerInchY - fm.descent();
    painter.setPen(Qt::black);
    painter.drawText(QPointF(x, baseline), text);
}

void PaintRectangle(QPainter& painter, const TPageItem& item, const TPaintMetrics& metrics) {
    const QRectF bounds(item.Left * metrics.DotsPerInchX, item.Top * metrics.DotsPerInchY,
                        item.Width * metrics.DotsPerInchX, item.Height * metrics.DotsPerInchY);
    if (item.FillStyle == fsSolid)
        painter.fillRect(bounds,
                         QColor(item.FillColor.Red, item.FillColor.Green, item.FillColor.Blue));
    if (item.LineWidth <= 0)
        return;
    // The border lies inside the frame's bounds.
    const double pen = item.LineWidth * metrics.PixelWidth;
    painter.setPen(LinePen(item, metrics));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(bounds.adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2));
}

void PaintLine(QPainter& painter, const TPageItem& item, const TPaintMetrics& metrics) {
    if (item.LineWidth <= 0)
        return;
    painter.setPen(LinePen(item, metrics));
    const QPointF from(item.Left * metrics.DotsPerInchX, item.Top * metrics.DotsPerInchY);
    const QPointF to = item.Kind == piHLine
                           ? QPointF((item.Left + item.Width) * metrics.DotsPerInchX, from.y())
                           : QPointF(from.x(), (item.Top + item.Height) * metrics.DotsPerInchY);
    painter.drawLine(from, to);
}

} // namespace

TPaintMetrics DeviceMetrics(const QPainter& painter) {
    TPaintMetrics metrics;
    if (const QPaintDevice* device = painter.device()) {
        metrics.DotsPerInchX = device->logicalDpiX();
        metrics.DotsPerInchY = device->logicalDpiY();
        if (dynamic_cast<const QPdfWriter*>(device))
            metrics.PixelWidth = metrics.DotsPerInchX / kPdfPixelsPerInch;
    }
    return metrics;
}

void PaintPage(QPainter& painter, const TReportPage& page, const TPaintMetrics& metrics) {
    painter.save();
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const TPageItem& item : page.Items) {
        switch (item.Kind) {
        case piText:
            PaintText(painter, item, metrics);
            break;
        case piRectangle:
            PaintRectangle(painter, item, metrics);
            break;
        case piHLine:
        case piVLine:
            PaintLine(painter, item, metrics);
            break;
        }
    }
    painter.restore();
}
