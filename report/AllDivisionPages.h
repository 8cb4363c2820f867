#pragma once
// The fixture lists of every division of a table, each with its own layout.
#include "data/Dates.h"
#include "data/table/RecordTable.h"
#include "report/Pages.h"
#include "report/TextMeasure.h"

#include <vector>

// Ends a pending edit of the table the normal way first (a failing post
// propagates). The divisions are generated in the table's order from a copy
// of its rows, so the table's cursor and its links stay as they are. Each
// page set is titled with the division's class name and year (UTF-8).
std::vector<TReportPages> GenerateAllDivisionPages(TRecordTable& table, TDaySerial outputDay,
                                                   const TTextMeasure& measure);
