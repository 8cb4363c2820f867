#pragma once
// The best placement of one division's teams over its layout's slots:
// fewest clashes, then fewest moved teams, then most slot pairs (1A/1B, ...)
// held by two teams of one club. Exact by branch and bound unless cancelled
// or out of budget.
#include "season/Placement.h"
#include "season/SearchControl.h"

#include <array>
#include <cstdint>

// Record order; a pinned team keeps its slot.
using TPinnedSlots = std::array<bool, SlotCount>;

struct TPlacementSearchResult {
    TPlacement Placement = IdentityPlacement();
    int Clashes = 0;   // the season's clash count with it
    int Moved = 0;     // teams (not empty slots) that change slot
    int ClubPairs = 0; // slot pairs whose two teams play for one club
    // False when cancelled or out of budget: the best found so far, never
    // worse than the current placement.
    bool Complete = true;
    std::int64_t Nodes = 0;
};

TPlacementSearchResult SearchPlacement(const TPlacementContext& context, const TPinnedSlots& pinned,
                                       const TSearchControl& control = {});

// The slot pairs of a placement whose two teams play for one club.
int ClubPairCount(const TPlacementContext& context, const TPlacement& newSlot);
