#pragma once
// Small seasons built by hand, and clashes as comparable text.
#include "DivisionSamples.h"
#include "season/Clashes.h"

#include <string>
#include <vector>

// "Halle TV Hude 12.09.2026 1: 0/1A-4A 1/1B-4B", "Doppelt SC Nord: 0/2A 1/3B".
inline std::string Describe(const TSeason& season, const TClash& clash) {
    static const char* kinds[] = {"Halle", "Gesperrt", "Doppelt", "Ferien"};
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

// Nord on the sample dates, Süd a day later except match day 2 (12.09.):
// TV Hude (1A of Nord) and TV Hude 2 (1B of Süd) are at home at once on
// 12.09. at 15 and 19 Uhr; SC Nord stands in both; 4B of Süd is empty.
inline std::vector<TDivisionValues> TwoClashingDivisions() {
    TDivisionValues d0 = Division8("Nord");
    TDivisionValues d1 = Division8("S\xFC"
                                   "d",
                                   1);
    SetDate(d1, TSpieltagKey::k2, Day(12, 9));
    SetTeam(d0, TSlotName::s1A, "TV Hude");
    SetTeam(d1, TSlotName::s1B, "tv hude 2");
    SetTeam(d1, TSlotName::s4B, "");
    SetTeam(d0, TSlotName::s2A, "SC Nord");
    SetTeam(d1, TSlotName::s3B, "SC  nord ");
    return {d0, d1};
}
