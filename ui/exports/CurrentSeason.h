#pragma once
// The season of the division list's current row, copied out of the table so
// that searches and club plans work on it without touching the table.
#include "data/table/RecordTable.h"
#include "season/Clashes.h"

#include <cstdint>
#include <vector>

struct TCurrentSeason {
    std::int32_t Year = 0;
    TSeason Season;
    std::vector<int> Rows; // per season division, its display index
    int Division = -1;     // the current row's index in Season
};

// Ends a pending edit first. Fails (German) without a current division or
// when it has no year. ties: the tie file's records, of any year.
TCurrentSeason CurrentSeason(TRecordTable& t_staffel, std::vector<TClubValues> clubs,
                             const std::vector<TTieRecord>& ties = {});
// The season of a year; Division is the division at displayRow, -1 when that
// row is of another year.
TCurrentSeason SeasonOfYear(TRecordTable& t_staffel, std::vector<TClubValues> clubs,
                            const std::vector<TTieRecord>& ties, std::int32_t year,
                            int displayRow = -1);
// The records of one year: a season holds no others.
std::vector<TTieRecord> TiesOfYear(const std::vector<TTieRecord>& ties, std::int32_t year);
