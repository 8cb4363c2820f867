#pragma once
// Small seasons built by hand, and clashes as comparable text.
#include "DivisionSamples.h"
#include "season/Clashes.h"

#include <string>
#include <vector>

// "Halle TV Hude 12.09.2026 1: 0/1A-4A 1/1B-4B", "Doppelt SC Nord: 0/2A 1/3B".
inline std::string Describe(const TSeason& season, const TClash& clash) {
    static const char* kinds[] = {"Halle", "Gesperrt", "Doppelt"};
    std::string text = std::string(kinds[clash.Kind]) + " " +
                       (clash.Club == NoClub ? "-" : season.Clubs().Club(clash.Club).Name);
    if (clash.Kind == ckDouble) {
        text += " [" + clash.Team + "]:";
        for (const TTeamEntry& entry : clash.Entries)
            text +=
                " " + std::to_string(entry.Division) + "/" + std::string(SlotFieldName(entry.Slot));
        return text;
    }
    text += " " + TRegionalSettings::German().FormatDate(clash.Date) + " " +
            std::to_string(clash.Game) + ":";
    for (const TSeasonGame& game : clash.Games)
        text += " " + std::to_string(game.Division) + "/" + std::string(SlotFieldName(game.Home)) +
                "-" + std::string(SlotFieldName(game.Away));
    return text;
}

inline std::vector<std::string> Describe(const TSeason& season) {
    std::vector<std::string> lines;
    for (const TClash& clash : season.Clashes())
        lines.push_back(Describe(season, clash));
    return lines;
}

inline std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// An 8-team division of sample teams ("<name> 1A" ...) whose match days lie
// shiftDays after those of SampleDivision.
inline TDivisionValues Division8(const std::string& klasse, int shiftDays = 0) {
    TDivisionValues division = SampleDivision(false);
    division.Klasse = klasse;
    for (TSlotName slot : SlotsUsedBy(LayoutOf(division)))
        SetTeam(division, slot, klasse + " " + std::string(SlotFieldName(slot)));
    for (auto& date : division.Dates)
        if (date)
            *date += shiftDays;
    return division;
}

inline TDaySerial Day(unsigned day, unsigned month, int year = 2026) {
    return *DayFromCivil(year, month, day);
}
