#pragma once
// Paints one generated page; the preview, the printer and PDF all use it.
#include "report/Pages.h"

class QPainter;

struct TPaintMetrics {
    double DotsPerInchX = 96;
    double DotsPerInchY = 96;
    // Device units that one layout pixel of a line or frame covers.
    double PixelWidth = 1;
};

// Metrics of the painter's device at its own resolution. A PDF has no
// pixels; there a layout pixel is drawn 1/120 inch wide.
TPaintMetrics DeviceMetrics(const QPainter& painter);

// Paints with the page's top-left corner at the painter's origin (device
// units). Clears nothing: the caller paints the paper.
void PaintPage(QPainter& painter, const TReportPage& page, const TPaintMetrics& metrics);
inline void PaintPage(QPainter& painter, const TReportPage& page) {
    PaintPage(painter, page, DeviceMetrics(painter));
}
