#pragma once
// Plain divisions for the check and export tests: every slot named, every
// match day dated a week apart in time order, from September of the year.
#include "report/DivisionValues.h"

#include <string>

inline TDivisionValues SampleDivision(bool tenTeams, int year = 2026) {
    TDivisionValues division;
    division.Ueberschrift = "Badminton";
    division.Klasse = "Bezirksliga Nord";
    division.Jahr = year;
    division.TenTeams = tenTeams;
    for (int s = 0; s < SlotCount; ++s)
        division.Teams[s] = "Team " + std::string(SlotFieldName(static_cast<TSlotName>(s)));
    division.Mannschaft = "Team 2B";
    const TDaySerial start = *DayFromCivil(year, 9, 5);
    int week = 0;
    for (TSpieltagKey key : SpieltageInTimeOrder())
        division.Dates[static_cast<int>(key)] = start + 7 * week++;
    if (!tenTeams) {
        division.Teams[static_cast<int>(TSlotName::s5A)].clear();
        division.Teams[static_cast<int>(TSlotName::s5B)].clear();
        division.Dates[static_cast<int>(TSpieltagKey::k4A)].reset();
        division.Dates[static_cast<int>(TSpieltagKey::k8A)].reset();
        // The 8-team order without 4A: 1..8 stay a week apart.
        int day = 0;
        for (TSpieltagKey key : SpieltageInTimeOrder())
            if (key != TSpieltagKey::k4A && key != TSpieltagKey::k8A)
                division.Dates[static_cast<int>(key)] = start + 7 * day++;
    }
    return division;
}

inline void SetTeam(TDivisionValues& division, TSlotName slot, std::string name) {
    division.Teams[static_cast<int>(slot)] = std::move(name);
}

inline void SetDate(TDivisionValues& division, TSpieltagKey key, std::optional<TDaySerial> day) {
    division.Dates[static_cast<int>(key)] = day;
}
