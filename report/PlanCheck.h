#pragma once
// Checks a division's plan for what would make its fixture list wrong:
// missing or doubled teams, missing, disordered or implausible dates.
#include "data/RegionalSettings.h"
#include "report/DivisionValues.h"

#include <string>
#include <vector>

enum TPlanFindingKind {
    pfSlotWithoutTeam,
    pfTeamInTwoSlots,
    pfOwnTeamMissing,
    pfDayWithoutDate,
    pfDateOrder,
    pfSameDate,
    pfDateOutsideSeason
};

struct TPlanFinding {
    TPlanFindingKind Kind = pfSlotWithoutTeam;
    std::string Text; // German, UTF-8
};

// Only the slots and match days of the division's own layout count. Dates
// are shown in the settings' short date format.
std::vector<TPlanFinding> CheckPlan(const TDivisionValues& division,
                                    const TRegionalSettings& settings);
