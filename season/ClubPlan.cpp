#include "season/ClubPlan.h"

#include "data/file/Cp1252.h"
#include "report/CsvExport.h"

#include <algorithm>

TClubPlan MakeClubPlan(const TSeason& season, TClubId club) {
    TClubPlan plan;
    plan.Club = club;
    if (club != NoClub)
        plan.Name = season.Clubs().Club(club).Name;
    for (int d = 0; d < season.DivisionCount(); ++d) {
        if (!plan.Year)
            plan.Year = season.Division(d).Jahr;
        const auto& clubs = season.SlotClubs(d);
        if (club == NoClub || std::find(clubs.begin(), clubs.end(), club) == clubs.end())
            continue;
        for (const TSeasonGame& game : season.Games(d)) {
            const bool home = season.HomeClub(game) == club;
            if (home || season.AwayClub(game) == club) {
                const TTieRecord* tie = season.Tie(game);
                plan.Games.push_back({game, home, tie ? TieResultText(*tie) : std::string()});
            }
        }
    }
    std::sort(plan.Games.begin(), plan.Games.end(),
              [](const TClubPlanGame& a, const TClubPlanGame& b) {
                  return GameTimeOrderLess(a.Game, b.Game);
              });
    return plan;
}

std::string MakeClubPlanCsv(const std::vector<TSeasonClubPlan>& plans,
                            const TRegionalSettings& settings) {
    std::string out(CsvByteOrderMark);
    AddCsvLine(out, {"Datum", "Uhrzeit", "Staffel", "Spieltag", "Heim", "Gast", "Heimspiel",
                     "Ergebnis", "Verlegt"});
    for (const auto& [season, plan] : plans)
        for (const TClubPlanGame& entry : plan.Games) {
            const TSeasonGame& game = entry.Game;
            const TDivisionValues& division = season->Division(game.Division);
            AddCsvLine(out, {game.Date ? settings.FormatDate(*game.Date) : std::string(),
                             FormatClock(game.Clock), DivisionTitleUtf8(division),
                             SpieltagKeyName(game.Day), TeamLabelUtf8(division, game.Home),
                             TeamLabelUtf8(division, game.Away), entry.Home ? "ja" : "",
                             entry.Result, game.Moved ? "ja" : ""});
        }
    return out;
}

std::string MakeClubPlanCsv(const TSeason& season, const TClubPlan& plan,
                            const TRegionalSettings& settings) {
    return MakeClubPlanCsv({{&season, plan}}, settings);
}

TCalendarExport MakeClubPlanCalendar(const TSeason& season, const TClubPlan& plan,
                                     std::int64_t stampUtc) {
    TCalendarExport result;
    BeginCalendar(result.Text, ClubPlanTitleUtf8(plan));
    for (const TClubPlanGame& entry : plan.Games) {
        if (entry.Game.Cancelled())
            continue;
        if (AddGameEvent(result.Text, season.Division(entry.Game.Division), LayoutGame(entry.Game),
                         stampUtc, season.Tie(entry.Game)))
            ++result.Events;
        else
            ++result.Undated;
    }
    EndCalendar(result.Text);
    return result;
}

std::string ClubPlanTitleUtf8(const TClubPlan& plan) {
    std::string title = Cp1252ToUtf8(plan.Name);
    if (plan.Year) {
        if (!title.empty())
            title += ' ';
        title += std::to_string(*plan.Year);
    }
    return title;
}
