#include "report/qt/QtTextMeasure.h"

#include "report/qt/QtText.h"

#include <QStringList>

namespace {
// Measured at 100 pixels per point (7200 dpi), where hinting no longer
// rounds widths, so that shortening does not depend on the output device.
constexpr int kPixelsPerPoint = 100;
constexpr double kMeasureDpi = 72.0 * kPixelsPerPoint;
} // namespace

QFont PageQFont(const TPageFont& font) {
    QFont result(QString::fromStdString(font.Face));
    // Arial's metric twin, should the font configuration not alias it.
    if (result.family().compare(QStringLiteral("Arial"), Qt::CaseInsensitive) == 0)
        result.setFamilies(QStringList{result.family(), QStringLiteral("Liberation Sans")});
    result.setPointSize(font.Size);
    result.setBold(font.Bold);
    result.setHintingPreference(QFont::PreferNoHinting);
    result.setKerning(false);
    return result;
}

const QFontMetricsF& TQtTextMeasure::Metrics(const TPageFont& font) const {
    const auto key = std::make_tuple(font.Face, font.Size, font.Bold);
    auto found = metrics_.find(key);
    if (found == metrics_.end()) {
        QFont qfont = PageQFont(font);
        qfont.setPixelSize(font.Size * kPixelsPerPoint);
        found = metrics_.emplace(key, QFontMetricsF(qfont)).first;
    }
    return found->second;
}

double TQtTextMeasure::TextWidth(std::string_view cp1252, const TPageFont& font) const {
    return Metrics(font).horizontalAdvance(ToQString(cp1252)) / kMeasureDpi;
}
