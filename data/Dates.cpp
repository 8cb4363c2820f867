#include "data/Dates.h"

#include <ctime>

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
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return DayFromCivil(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                        static_cast<unsigned>(local.tm_mday))
        .value_or(0);
}
