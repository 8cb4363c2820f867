#pragma once
// What a search over one division's placement of teams into slots needs to
// know of the rest of the season, read once, so that the clash count of a
// placement costs a few table look-ups.
#include "season/Clashes.h"

#include <array>
#include <vector>

// A date and game time on which the division plays.
struct TPlacementOccasion {
    TDaySerial Date = 0;
    int Game = 1;
};

// The division's own clubs (at most one per slot).
struct TPlacementClub {
    TClubId Club = NoClub;
    int Capacity = DefaultCapacity;
    // Per occasion (index into TPlacementContext::Occasions): the club's home
    // games in the rest of the season, and whether its hall is blocked that day.
    std::vector<int> RestHomeGames;
    std::vector<bool> Blocked;
};

// The most occasions a division can have: every game at its own date and
// game time once ties are moved (a division of ten has 90).
inline constexpr int MaxPlacementOccasions = 96;

struct TPlacementContext {
    int Division = 0;
    // The slots the division's layout uses (record indices, ascending); the
    // others hold no games and never move.
    std::vector<int> Slots;
    std::vector<TPlacementOccasion> Occasions;
    // Per slot (record order): the occasions of its dated home games; a slot
    // the layout does not use has none.
    std::array<std::vector<int>, SlotCount> HomeOccasions;
    std::vector<TPlacementClub> Clubs;
    // Per slot (record order): the index into Clubs of the team standing
    // there now, -1 for an empty slot or one without a club.
    std::array<int, SlotCount> ClubOfSlot{};
    // The clash count of the season without this division.
    int RestClashCount = 0;
};

TPlacementContext MakePlacementContext(const TSeason& season, int division);

// A placement moves the team now in slot s to NewSlot[s] (a permutation of
// the layout's slots). The result is the season's clash count with it.
using TPlacement = std::array<TSlotName, SlotCount>;
int PlacementClashCount(const TPlacementContext& context, const TPlacement& newSlot);
// Every team stays.
TPlacement IdentityPlacement();
