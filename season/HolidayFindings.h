#pragma once
// Match days that fall in school holidays or on a public holiday, as
// findings of their own kind beside the season's clashes.
#include "season/Clashes.h"
#include "season/DaysOff.h"

#include <vector>

// One ckHoliday finding per division and match day of its layout whose date
// is off, with the division's games that day; by date, then division.
std::vector<TClash> HolidayFindings(const TSeason& season, const TDaysOff& daysOff);

// The season's clashes with the holiday findings among them, by date (the
// clashes of a date first), double entries last.
std::vector<TClash> ClashesWithHolidays(const TSeason& season, const TDaysOff& daysOff);
