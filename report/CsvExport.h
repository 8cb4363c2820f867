#pragma once
// A division's games as CSV for spreadsheet programs under German settings:
// semicolons, UTF-8 with a byte-order mark, CRLF lines.
#include "data/RegionalSettings.h"
#include "report/DivisionValues.h"
#include "report/TieValues.h"

#include <initializer_list>
#include <string>
#include <string_view>

// A header line, then one line per game of the division's layout in the
// order of the print-out (a bye's games left out); games without a date have
// an empty date. With ties, a tie's own date and time.
std::string MakeFixtureCsv(const TDivisionValues& division, const TRegionalSettings& settings,
                           const TTieLookup& ties = {});

// The byte-order mark every CSV file of the program begins with.
inline constexpr std::string_view CsvByteOrderMark = "\xEF\xBB\xBF";
// One line of UTF-8 fields, each through CsvField, ended with CRLF.
void AddCsvLine(std::string& out, std::initializer_list<std::string_view> fields);

// One cell, for every CSV the program writes: a leading apostrophe when the
// text begins with "=", "+", "-", "@", a tab or a carriage return, so that a
// spreadsheet takes it as text, not as a formula; then quoted with inner
// quotes doubled when it holds a semicolon, a quote or a line break.
std::string CsvField(std::string_view utf8);
