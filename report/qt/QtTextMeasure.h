#pragma once
// Text width with the real font (Arial, or its metric twin Liberation Sans).
#include "report/TextMeasure.h"

#include <QFont>
#include <QFontMetricsF>

#include <map>
#include <tuple>

class TQtTextMeasure : public TTextMeasure {
public:
    double TextWidth(std::string_view cp1252, const TPageFont& font) const override;

private:
    const QFontMetricsF& Metrics(const TPageFont& font) const;
    mutable std::map<std::tuple<std::string, int, bool>, QFontMetricsF> metrics_;
};

// The QFont of a page font at its point size.
QFont PageQFont(const TPageFont& font);
