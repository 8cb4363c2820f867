#pragma once
// A measure where every character is 0.01 inch per point wide (bold 10 %
// wider), so widths in tests are simple sums.
#include "report/TextMeasure.h"

class TFakeMeasure : public TTextMeasure {
public:
    double TextWidth(std::string_view text, const TPageFont& font) const override {
        ++Calls;
        return static_cast<double>(text.size()) * font.Size * 0.01 * (font.Bold ? 1.1 : 1.0);
    }
    mutable int Calls = 0;
};
