#pragma once
// Slot proposals leave teams with results where they are: moving them would
// cost their ties' records.
#include "season/Clashes.h"
#include "season/PlacementSearch.h"

// The slots whose team has a tie of the division that is no longer open, or
// a record of its own.
TPinnedSlots SlotsWithResults(const TSeason& season, int division);
