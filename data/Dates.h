#pragma once
// A day is a serial counted from 30.12.1899 (serial 0); a date-time is a
// double of days. The civil calendar's arithmetic lives here once, inline:
// the data-file reader and writer run it for every date of a file. Tests
// hold it to std::chrono's civil calendar over every day of the years 1 to
// 9999.
#include <cstdint>
#include <optional>

using TDaySerial = std::int32_t;

struct TCivilDate {
    int Year = 1899;
    unsigned Month = 12;
    unsigned Day = 30;
    friend bool operator==(const TCivilDate&, const TCivilDate&) = default;
};

// 01.01.0001 and 31.12.9999: the days of four-digit years, the range a date
// field holds and the data file writes as eight digits.
inline constexpr TDaySerial FirstDaySerial = -693593;
inline constexpr TDaySerial LastDaySerial = 2958465;

// The serial of a date from the year 1 on; false when it is no real day.
inline bool SerialOfCivil(int year, unsigned month, unsigned day, TDaySerial& serial) {
    static constexpr unsigned char MonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    static constexpr unsigned short DaysBefore[] = {0,   31,  59,  90,  120, 151,
                                                    181, 212, 243, 273, 304, 334};
    if (year < 1 || month < 1 || month > 12 || day < 1)
        return false;
    const auto y = static_cast<unsigned>(year);
    const bool leap = y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
    if (day > (month == 2 && leap ? 29u : MonthDays[month - 1]))
        return false;
    const unsigned before = y - 1; // whole years before this one
    const unsigned days = before * 365 + before / 4 - before / 100 + before / 400 +
                          DaysBefore[month - 1] + (leap && month > 2 ? 1 : 0) + day - 1;
    serial = FirstDaySerial + static_cast<int>(days);
    return true;
}

// The date of any serial, counted in 400-year eras from 01.03.0000.
inline TCivilDate CivilOfSerial(TDaySerial serial) {
    const std::int64_t z = std::int64_t{serial} + 693899; // days since 01.03.0000
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(z - era * 146097);
    const unsigned yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned mp = (5 * dayOfYear + 2) / 153;
    const unsigned month = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(yearOfEra + era * 400 + (month <= 2)), month,
            dayOfYear - (153 * mp + 2) / 5 + 1};
}

// Empty when the triple is no real day (31.02., month 13, ...) or the year
// lies outside 1..9999.
std::optional<TDaySerial> DayFromCivil(int year, unsigned month, unsigned day);
TCivilDate CivilFromDay(TDaySerial day);
// Today on the local clock.
TDaySerial Today();
