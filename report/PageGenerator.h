#pragma once
// Turns a layout into pages for one division row.
#include "data/Dates.h"
#include "data/RegionalSettings.h"
#include "report/FixtureLayout.h"
#include "report/Pages.h"
#include "report/ReportBinding.h"
#include "report/TextMeasure.h"

#include <functional>

// Called before each page with its 1-based number; false cancels generation.
using TPageProgress = std::function<bool(int pageNumber)>;

struct TGenerateResult {
    TReportPages Pages; // empty when cancelled
    bool Cancelled = false;
};

// Generates the layout's pages in print order. The first data text begins
// the binding (unless already begun); the caller ends it when the run is
// over. outputDay is the day shown by Report.DateShort.
TGenerateResult GeneratePages(const TFixtureLayout& layout, TReportBinding& binding,
                              const TRegionalSettings& settings, TDaySerial outputDay,
                              const TTextMeasure& measure, const TPageProgress& progress = {});

// Shortens a text by its last character until it fits width (inches).
std::string FitToWidth(std::string text, double width, const TPageFont& font,
                       const TTextMeasure& measure);
