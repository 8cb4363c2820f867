#include "data/Dates.h"

#include "data/LocalTime.h"

std::optional<TDaySerial> DayFromCivil(int year, unsigned month, unsigned day) {
    // Years beyond four digits cannot be written in the short date format.
    TDaySerial serial = 0;
    if (year > 9999 || !SerialOfCivil(year, month, day, serial))
        return std::nullopt;
    return serial;
}

TCivilDate CivilFromDay(TDaySerial day) {
    return CivilOfSerial(day);
}

TDaySerial Today() {
    const TLocalTime now = LocalNow();
    return DayFromCivil(now.Year, now.Month, now.Day).value_or(0);
}
