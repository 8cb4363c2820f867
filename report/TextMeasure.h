#pragma once
// Text width as the output's font sees it. The Qt half measures with the real
// font; tests use a fake.
#include "report/Pages.h"

#include <string_view>

class TTextMeasure {
public:
    virtual ~TTextMeasure() = default;
    // Width of a Windows-1252 text in inches.
    virtual double TextWidth(std::string_view cp1252, const TPageFont& font) const = 0;
};
