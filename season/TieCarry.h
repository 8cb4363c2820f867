#pragma once
// Tie records following their division when it changes: renamed teams and
// a renamed class carry them along, other changes may leave them without
// their tie.
#include "data/Store.h"
#include "report/DivisionValues.h"
#include "report/TieValues.h"

#include <vector>

// A record rewritten for the division after the change: a team renamed in
// its slot (the old name in no slot after, the new one in none before) and
// a new class or year carried over. Records of other divisions unchanged.
TTieRecord CarriedTieRecord(const TDivisionValues& before, const TDivisionValues& after,
                            TTieRecord record);
// The records of the division before the change that have no tie (or
// team) after it, even when carried: to be named before the change is made.
std::vector<TTieRecord> TiesLostByChange(const TDivisionValues& before,
                                         const TDivisionValues& after,
                                         const std::vector<TTieRecord>& records);

// Whether a record has its tie (or, for a team's record, its team) in the
// division.
bool HasTieIn(const TDivisionValues& division, const TTieRecord& record);

// The records of the tie table carried in place (no save); the count
// changed.
int CarryTieRecords(TRecordTable& ties, const TDivisionValues& before,
                    const TDivisionValues& after);
// After the division table's row was posted with the change: carries the
// records and saves the division file, then the tie file. A failed save
// leaves both tables changed in memory (saved again at the next save point
// or the end) and fails with its message.
void SaveDivisionWithTies(TStore& store, const TDivisionValues& before,
                          const TDivisionValues& after);
