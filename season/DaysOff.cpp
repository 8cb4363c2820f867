#include "season/DaysOff.h"

#include "data/file/Cp1252.h"

#include <cstdio>

TDaysOff::TDaysOff(std::optional<TGermanState> state, std::vector<TSchoolHoliday> schoolHolidays)
    : state_(state), school_(std::move(schoolHolidays)) {}

std::optional<TPublicHoliday> TDaysOff::PublicHolidayOn(TDaySerial day) const {
    if (!state_)
        return std::nullopt;
    for (const TPublicHoliday& holiday : PublicHolidays(*state_, CivilOfSerial(day).Year))
        if (holiday.Day == day)
            return holiday;
    return std::nullopt;
}

const TSchoolHoliday* TDaysOff::SchoolHolidayOn(TDaySerial day) const {
    for (const TSchoolHoliday& holiday : school_)
        if (holiday.From <= day && day <= holiday.To)
            return &holiday;
    return nullptr;
}

std::optional<std::string> TDaysOff::ReasonOff(TDaySerial day) const {
    if (const auto holiday = PublicHolidayOn(day))
        return std::string(holiday->Name);
    if (const TSchoolHoliday* holiday = SchoolHolidayOn(day))
        return Cp1252ToUtf8(holiday->Name);
    return std::nullopt;
}

std::string DayAndMonth(TDaySerial day) {
    const TCivilDate date = CivilOfSerial(day);
    char text[8];
    std::snprintf(text, sizeof text, "%02u.%02u.", date.Day % 100, date.Month % 100);
    return text;
}
