#include "season/ClashCsv.h"

#include "data/file/Cp1252.h"
#include "report/CsvExport.h"

#include <algorithm>

namespace {

struct TSeasonClash {
    const TSeason* Season;
    TClash Clash;
};

void AddGameLine(std::string& out, const TSeason& season, const TClash& clash,
                 const TSeasonGame& game) {
    static const TRegionalSettings german = TRegionalSettings::German();
    const TDivisionValues& division = season.Division(game.Division);
    // A moved tie at its own time, within the clash's game time.
    AddCsvLine(out, {german.FormatDate(clash.Date), FormatClock(game.Clock),
                     Cp1252ToUtf8(season.Clubs().Club(clash.Club).Name), ClashKindName(clash.Kind),
                     DivisionTitleUtf8(division), SpieltagKeyName(game.Day),
                     TeamLabelUtf8(division, game.Home), TeamLabelUtf8(division, game.Away)});
}

void AddDoubleLines(std::string& out, const TSeason& season, const TClash& clash) {
    const std::string club =
        clash.Club == NoClub ? std::string() : Cp1252ToUtf8(season.Clubs().Club(clash.Club).Name);
    for (const TTeamEntry& entry : clash.Entries)
        AddCsvLine(out, {"", "", club, ClashKindName(clash.Kind),
                         DivisionTitleUtf8(season.Division(entry.Division)), "",
                         TeamLabelUtf8(season.Division(entry.Division), entry.Slot), ""});
}

} // namespace

std::string_view ClashKindName(TClashKind kind) {
    switch (kind) {
    case ckHall:
        return "Halle";
    case ckBlocked:
        return "Gesperrt";
    default:
        return "Doppelt";
    }
}

std::string MakeClashCsv(const std::vector<const TSeason*>& seasons) {
    std::vector<TSeasonClash> clashes;
    for (const TSeason* season : seasons)
        for (TClash& clash : season->Clashes())
            clashes.push_back({season, std::move(clash)});
    // Each season's list is in order already; across seasons only the date
    // and time decide, and double entries go after every dated clash.
    std::stable_sort(
        clashes.begin(), clashes.end(), [](const TSeasonClash& a, const TSeasonClash& b) {
            const bool aDouble = a.Clash.Kind == ckDouble, bDouble = b.Clash.Kind == ckDouble;
            if (aDouble || bDouble)
                return !aDouble && bDouble;
            if (a.Clash.Date != b.Clash.Date)
                return a.Clash.Date < b.Clash.Date;
            return a.Clash.Game < b.Clash.Game;
        });
    std::string out(CsvByteOrderMark);
    AddCsvLine(out, {"Datum", "Uhrzeit", "Verein", "Art", "Staffel", "Spieltag", "Heim", "Gast"});
    for (const auto& [season, clash] : clashes) {
        if (clash.Kind == ckDouble) {
            AddDoubleLines(out, *season, clash);
            continue;
        }
        for (const TSeasonGame& game : clash.Games)
            AddGameLine(out, *season, clash, game);
    }
    return out;
}

std::string MakeClashCsv(const TSeason& season) {
    return MakeClashCsv(std::vector<const TSeason*>{&season});
}
