#pragma once
// The days no match day should fall on: the school holidays of Ferien.xml
// and the public holidays of the chosen state.
#include "season/PublicHolidays.h"

#include <optional>
#include <string>
#include <vector>

struct TSchoolHoliday {
    TDaySerial From = 0; // both inclusive
    TDaySerial To = 0;
    std::string Name;   // Windows-1252
    std::string Source; // Windows-1252
    friend bool operator==(const TSchoolHoliday&, const TSchoolHoliday&) = default;
};

class TDaysOff {
public:
    // Without a state only the school holidays count.
    TDaysOff(std::optional<TGermanState> state = std::nullopt,
             std::vector<TSchoolHoliday> schoolHolidays = {});

    std::optional<TGermanState> State() const { return state_; }
    // The public holiday on that day, or nothing.
    std::optional<TPublicHoliday> PublicHolidayOn(TDaySerial day) const;
    // The first school holiday (in the list's order) that holds the day.
    const TSchoolHoliday* SchoolHolidayOn(TDaySerial day) const;
    // Why the day is off, for a finding: „Herbstferien“ or „Pfingstmontag“
    // (UTF-8); nothing on an ordinary day.
    std::optional<std::string> ReasonOff(TDaySerial day) const;

private:
    std::optional<TGermanState> state_;
    std::vector<TSchoolHoliday> school_;
};

// "01.09." (no year), for short messages.
std::string DayAndMonth(TDaySerial day);
