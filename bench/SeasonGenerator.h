#pragma once
// A generated season for the season benchmarks and tests: divisions of 8
// and 10 teams, clubs with several teams spread over divisions, and no
// clash unless one is planted.
#include "season/Clashes.h"

#include <string>
#include <vector>

struct TSeasonSpec {
    int Divisions = 200; // the first half with 8 teams, the rest with 10
    int Clubs = 300;
    std::int32_t Year = 2026;
    unsigned Seed = 1;
    int HallClashes = 0;    // plantings; each may give several clashes
    int BlockedClashes = 0; // of one occasion each
    int DoubleEntries = 0;
};

// A clash the generator planted, as the season must report it.
struct TPlantedClash {
    TClashKind Kind = ckHall;
    std::string Club; // hall and blocked
    TDaySerial Date = 0;
    int Game = 1;
    std::vector<TTeamEntry> Homes; // hall and blocked: the home teams involved
    std::string Team;              // double entry
    std::vector<int> Divisions;    // double entry
};

struct TGeneratedSeason {
    std::vector<TDivisionValues> Divisions;
    std::vector<TClubValues> Clubs; // the club table
    std::vector<TPlantedClash> Planted;
};

TGeneratedSeason GenerateSeason(const TSeasonSpec& spec);

// Empty tables of the division and club records filled with the values, as
// the program would hold them (blocked dates typed as dd.MM.yyyy).
void FillDivisionTable(TRecordTable& table, const std::vector<TDivisionValues>& divisions);
void FillClubTable(TRecordTable& table, const std::vector<TClubValues>& clubs);
// One division appended to an open division table and posted.
void AppendDivision(TRecordTable& table, const TDivisionValues& division);

// Every tie of the season played (results varying with the seed), every
// movedEvery-th one moved a day later to 18:00 (0: none moved).
std::vector<TTieRecord> PlayedTies(const TGeneratedSeason& season, int movedEvery,
                                   unsigned seed = 1);
// An empty table of the tie records filled with the records.
void FillTieTable(TRecordTable& table, const std::vector<TTieRecord>& ties);
