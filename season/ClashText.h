#pragma once
// A clash in one German line, for the plan check and the season overview.
#include "season/Clashes.h"

#include <string>
#include <vector>

// Club, kind, date and game time, and every game or division involved (UTF-8).
std::string ClashTextUtf8(const TSeason& season, const TClash& clash);

// The clashes in which the division has a game or an entry, in the season's order.
std::vector<TClash> ClashesOfDivision(const TSeason& season, int division);
