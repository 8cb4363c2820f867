#pragma once
// Plain divisions for the check and export tests: every slot of the layout
// named, its match days dated a week apart in time order from 05.09.
#include "report/DivisionValues.h"

#include <string>

inline TDivisionValues SampleDivision(bool tenTeams, int year = 2026) {
    TDivisionValues division;
    division.Klasse = "Bezirksliga Nord";
    division.Jahr = year;
    division.TenTeams = tenTeams;
    division.Mannschaft = "Team 2B";
    const TFixtureLayout& layout = LayoutOf(division);
    for (TSlotName slot : SlotsUsedBy(layout))
        division.Teams[static_cast<int>(slot)] = "Team " + std::string(SlotFieldName(slot));
    int week = 0;
    for (TSpieltagKey key : MatchDaysUsedBy(layout))
        division.Dates[static_cast<int>(key)] = *DayFromCivil(year, 9, 5) + 7 * week++;
    return division;
}

inline void SetTeam(TDivisionValues& division, TSlotName slot, std::string name) {
    division.Teams[static_cast<int>(slot)] = std::move(name);
}

inline void SetDate(TDivisionValues& division, TSpieltagKey key, std::optional<TDaySerial> day) {
    division.Dates[static_cast<int>(key)] = day;
}
