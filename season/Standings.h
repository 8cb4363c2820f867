#pragma once
// The table of a division: rank, ties, points and the for:against figures.
#include "report/TieValues.h"

#include <string>
#include <vector>

class TSeason;

struct TStandingPair {
    int For = 0;
    int Against = 0;
    int Difference() const { return For - Against; }
    friend bool operator==(const TStandingPair&, const TStandingPair&) = default;
};

struct TStandingRow {
    std::string Team;        // Windows-1252
    int Rank = 0;            // 1-based; 0 for a withdrawn team
    bool SharedRank = false; // the same rank as the row above
    bool Withdrawn = false;  // last, without figures
    int Played = 0;
    int Won = 0;
    int Drawn = 0;
    int Lost = 0;
    TStandingPair Points; // 2:0 a win, 1:1 a draw; a deduction taken off For
    TStandingPair Spiele;
    TStandingPair Saetze;
    TStandingPair Punkte; // rally points
    int Deduction = 0;
    int Footnote = 0; // 1-based number of its footnote, 0 none
};

struct TDivisionStandings {
    std::vector<TStandingRow> Rows;
    std::vector<std::string> Footnotes; // UTF-8, numbered as the rows refer to them
};

// Ordered by points, matches, games and rally-point differences; teams
// still level by the ties among them alone (the same four), again among
// those still level; teams level after that share the rank. A withdrawn
// team's ties count for nobody.
// teams: the division's teams (Windows-1252, no blanks around); records:
// its tie and team records, matched to the teams folded as team names.
TDivisionStandings MakeStandings(const std::vector<std::string>& teams,
                                 const std::vector<TTieRecord>& records);
// The same for a division of the season: its teams without byes and empty
// slots, the records attached to its ties.
TDivisionStandings MakeStandings(const TSeason& season, int division);

// Header Platz;Mannschaft;Begegnungen;Siege;Unentschieden;Niederlagen;
// Punkte;Spiele;Saetze;Ballpunkte, pairs as 12:4, the rank empty for a shared
// place after the first; a withdrawn team without rank and figures.
std::string MakeStandingsCsv(const TDivisionStandings& standings);
