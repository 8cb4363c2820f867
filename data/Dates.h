#pragma once
// A day is a serial counted from 30.12.1899 (serial 0); a date-time is a
// double of days. All conversions go through std::chrono's civil calendar.
#include <cstdint>
#include <optional>

using TDaySerial = std::int32_t;

struct TCivilDate {
    int Year = 1899;
    unsigned Month = 12;
    unsigned Day = 30;
    friend bool operator==(const TCivilDate&, const TCivilDate&) = default;
};

// Empty when the triple is no real day (31.02., month 13, ...) or the year
// lies outside 1..9999.
std::optional<TDaySerial> DayFromCivil(int year, unsigned month, unsigned day);
TCivilDate CivilFromDay(TDaySerial day);
// Today on the local clock.
TDaySerial Today();
