#pragma once
// School holidays read from an iCalendar file as the holiday sites publish
// them. The one place that speaks to libical.
#include "season/DaysOff.h"

#include <string>
#include <string_view>
#include <vector>

// The all-day events in file order: DTSTART a date, the end exclusive
// (DTEND, DURATION, or one day without either); an event with a rule is
// expanded to its occurrences that begin in firstYear..lastYear. Events
// with a time of day are passed over. Quelle is source (Windows-1252).
// Fails (TStaffelError, German, naming fileName) when the bytes are no
// iCalendar, hold no all-day event, or a name a field cannot hold.
std::vector<TSchoolHoliday> ReadICalHolidays(std::string_view bytes, const std::string& fileName,
                                             std::string_view source, int firstYear, int lastYear);
