#pragma once
// The match days of a season's calendar proposed from the days off and the
// clubs' blocked dates: the exact optimum, found by dynamic programming over
// (position, candidate) for each smallest gap in question.
#include "data/Records.h"
#include "season/Clubs.h"
#include "season/DaysOff.h"

#include <optional>
#include <string>
#include <vector>

struct TMatchDayInputs {
    int Year = 0;
    int Count = 8;   // 8, or 10 with 4A and 8A
    int Weekday = 5; // 0 Monday .. 6 Sunday
    TDaySerial Earliest = 0;
    TDaySerial Latest = 0;
    TDaySerial FirstHalfEnd = 0; // days 1-4 (and 4A) on or before it, the rest after
    int MinWeeks = 2;            // between two consecutive match days
    // Also rule out a date whose Friday before or Monday after is a public holiday.
    bool NeighbourHolidays = true;
};

// The season a calendar is planned for on that day: the year, from
// September on the next one.
int DefaultSeasonYear(TDaySerial today);

// Saturdays from 1 September of the year to 31 March of the next, first
// half up to 20 December, two weeks apart, neighbouring holidays counted.
TMatchDayInputs DefaultMatchDayInputs(int year, int count = 8);

struct TRuledOutDay {
    TDaySerial Day = 0;
    std::string Reason; // UTF-8
};

struct TMatchDayProposal {
    std::vector<TDaySerial> Dates; // time order; empty when no set exists
    std::vector<int> BlockedClubs; // per date, the clubs blocked on it
    std::vector<TRuledOutDay> RuledOut;
    int CandidateCount = 0;
    int BlockedClubDays = 0;
    int SmallestGapDays = 0;
    int SmallestGapCount = 0;
    std::string Impossible; // why no set exists (UTF-8)
};

// "Gesperrte Vereinstermine: 2; kleinster Abstand 3 Wochen (4-mal)" (UTF-8).
std::string MatchDaySummary(const TMatchDayProposal& proposal);

TMatchDayProposal ProposeMatchDays(const TMatchDayInputs& inputs, const TDaysOff& daysOff,
                                   const std::vector<TClubValues>& clubs);

// The search itself, over candidates in ascending order with their cost
// (blocked clubs): count of them, the first firstHalf on or before
// firstHalfEnd, consecutive ones at least minGap days apart. The fewest
// blocked club days, then the largest smallest gap, then the fewest gaps of
// that size; of equals the earliest dates. Indices into candidates.
struct TMatchDayChoice {
    std::vector<int> Chosen;
    int Blocked = 0;
    int SmallestGap = 0;
    int SmallestGapCount = 0;
};
std::optional<TMatchDayChoice> ChooseMatchDays(const std::vector<TDaySerial>& candidates,
                                               const std::vector<int>& cost, int count,
                                               int firstHalf, TDaySerial firstHalfEnd, int minGap);

// The match days a proposal of count dates fills, in time order: 1..8,
// with 4A and 8A when count is 10.
std::vector<TSpieltagKey> MatchDayKeys(int count);

// "Samstag" and "Samstage" for 0 Monday .. 6 Sunday.
std::string_view WeekdayName(int weekday);
std::string_view WeekdayPlural(int weekday);
// 0 Monday .. 6 Sunday.
int WeekdayOf(TDaySerial day);
