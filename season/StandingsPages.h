#pragma once
// A division's table as an A4 page for the painter, the preview, the printer
// and PDF: heading with division, season and print date, one line a team
// (withdrawn teams last without figures), the footnotes, the page number.
#include "data/RegionalSettings.h"
#include "report/DivisionValues.h"
#include "report/Pages.h"
#include "report/TextMeasure.h"
#include "season/Standings.h"

#include <array>
#include <string>
#include <vector>

class TSeason;

enum TStandingsColumn {
    scRank,
    scTeam,
    scPlayed,
    scWon,
    scDrawn,
    scLost,
    scPoints,
    scSpiele,
    scSpieleDiff,
    scSaetze,
    scSaetzeDiff,
    scPunkte,
    scPunkteDiff,
    scCount
};
using TStandingTexts = std::array<std::string, scCount>;

// A row as the page and the window show it (Windows-1252): rank "1." (none
// for a shared rank), the team with its footnote mark, the figures with
// signed differences; a withdrawn team only "zurückgezogen".
TStandingTexts StandingRowTexts(const TStandingRow& row);

TReportPages MakeStandingsPages(const TDivisionValues& division,
                                const TDivisionStandings& standings,
                                const TRegionalSettings& settings, TDaySerial printDay,
                                const TTextMeasure& measure);
// Every division of the season in its order, one page set each.
std::vector<TReportPages> MakeAllStandingsPages(const TSeason& season,
                                                const TRegionalSettings& settings,
                                                TDaySerial printDay, const TTextMeasure& measure);
