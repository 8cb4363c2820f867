#pragma once
// The club table's check before a row is posted, so that what the file
// holds is what the season reads: a name no other club has (as club names
// are compared), a capacity of 1 to 9 (empty: 1), blocked dates that are
// dates (typed in the user's format or a stored one), written back in the
// stored form of BlockedDates.h.
#include "data/table/RecordTable.h"

// Fails with a German message and leaves the row pending.
void CheckClubRow(TRecordTable& table);
