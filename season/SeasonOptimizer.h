#pragma once
// The whole season improved together: the exact search run division by
// division against the others' current placements, round after round, until
// no division improves. Never worse than the start.
#include "season/SlotProposal.h"

#include <vector>

struct TDivisionMoves {
    int Division = 0;                         // index in the season
    TPlacement Placement;                     // from the start, as in TSlotProposal
    std::vector<TSlotMove> Moves;             // by old slot
    std::array<std::string, SlotCount> Teams; // the ten slot fields after
};

struct TSeasonOptimization {
    int ClashesBefore = 0;
    int ClashesAfter = 0;
    // False when cancelled: the improvement reached so far.
    bool Complete = true;
    int Passes = 0;
    std::vector<TDivisionMoves> Divisions; // those that change, in season order
};

// Any thread: the season is a copy. Pinned: per division (missing ones pin
// nothing). control.NodeLimit bounds each division's search; 0 leaves every
// search exact.
TSeasonOptimization OptimizeSeason(TSeason season, const std::vector<TPinnedSlots>& pinned = {},
                                   const TSearchControl& control = {});
