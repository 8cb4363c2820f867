#pragma once
// The rules a tie record must keep, and what a tie counts in the table.
#include "report/TieValues.h"

#include <array>
#include <optional>
#include <string>

// The first rule the record breaks, as a German message naming it (UTF-8);
// nothing when it keeps them all. A played tie: matches h + a = 8, games
// 2h <= H <= 2h + a and 2a <= A <= 2a + h, rally points both empty or both
// given, each >= 0. A re-scored tie keeps the result as played (checked the
// same when given); open, walkover and cancelled ties carry no result.
std::optional<std::string> TieRecordProblem(const TTieRecord& record);

// What a tie counts, [0] home, [1] away.
struct TCountedTie {
    std::array<int, 2> Spiele{};
    std::array<int, 2> Saetze{};
    std::array<int, 2> Punkte{};
};
// Played: its result (rally points 0:0 when not given); a walkover and a
// re-scored tie: 8:0, 16:0, 336:0 for the side that wins; nothing for an
// open or cancelled tie and a team's record.
std::optional<TCountedTie> CountedScore(const TTieRecord& record);
