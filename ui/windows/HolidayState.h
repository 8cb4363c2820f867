#pragma once
// The state whose public holidays count, chosen once and kept in the
// program's settings, and the days off the windows hand to the season code.
#include "season/DaysOff.h"

#include <optional>

class TStore;

std::optional<TGermanState> SavedHolidayState();
void SaveHolidayState(TGermanState state);

// The state's public holidays and the school holidays of the holiday table.
TDaysOff DaysOffOf(TStore& store, std::optional<TGermanState> state);
