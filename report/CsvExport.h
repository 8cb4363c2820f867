#pragma once
// A division's games as CSV for spreadsheet programs under German settings:
// semicolons, UTF-8 with a byte-order mark, CRLF lines.
#include "data/RegionalSettings.h"
#include "report/DivisionValues.h"

#include <string>
#include <string_view>

// A header line, then one line per game of the division's layout in the
// order of the print-out; games without a date have an empty date.
std::string MakeFixtureCsv(const TDivisionValues& division, const TRegionalSettings& settings);

// The field as it stands, or quoted with inner quotes doubled when it holds
// a semicolon, a quote or a line break.
std::string CsvField(std::string_view utf8);
