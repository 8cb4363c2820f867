#pragma once
// One club's season: every game of every team of the club, and its exports.
#include "report/ICalExport.h"
#include "season/Clashes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct TClubPlanGame {
    TSeasonGame Game;
    bool Home = false;  // the club's team plays at home
    std::string Result; // as TieResultText gives it; empty for an open tie
};

struct TClubPlan {
    TClubId Club = NoClub;
    std::string Name; // Windows-1252
    std::optional<std::int32_t> Year;
    std::vector<TClubPlanGame> Games; // date and game-time order, unscheduled last
};

TClubPlan MakeClubPlan(const TSeason& season, TClubId club);

// Header Datum;Uhrzeit;Staffel;Spieltag;Heim;Gast;Heimspiel;Ergebnis;Verlegt
// ("ja" for a home game and a moved tie), each tie at its own date and time,
// dates in the settings' short date format as in the division CSV.
std::string MakeClubPlanCsv(const TSeason& season, const TClubPlan& plan,
                            const TRegionalSettings& settings);
// The plans of one club in several seasons, one after the other under one header.
struct TSeasonClubPlan {
    const TSeason* Season = nullptr;
    TClubPlan Plan;
};
std::string MakeClubPlanCsv(const std::vector<TSeasonClubPlan>& plans,
                            const TRegionalSettings& settings);

// The plan's dated games with the UIDs of the division export, so that
// importing both gives each game once; a cancelled tie left out, a played
// one with its result.
TCalendarExport MakeClubPlanCalendar(const TSeason& season, const TClubPlan& plan,
                                     std::int64_t stampUtc);

// "TV Hude 2026" (UTF-8), for titles and file names.
std::string ClubPlanTitleUtf8(const TClubPlan& plan);
