#pragma once
// Seasons for the proposal tests: divisions whose clubs fit together in a
// known way, scrambled copies, and dense random seasons.
#include "SeasonGenerator.h"
#include "SeasonSupport.h"
#include "season/SlotProposal.h"

#include <algorithm>
#include <random>

// In Klasse8 each slot has exactly one slot that is never at home at the
// same time: 1A-4B, 1B-4A, 2A-3B, 2B-3A.
inline TSlotName Mirror8(TSlotName slot) {
    return static_cast<TSlotName>(7 - static_cast<int>(slot));
}

// Pairs of 8-team divisions on the same dates; club p-i has its first team
// in slot i of division 2p and its second in the mirror slot of 2p+1, so
// the season is free of clashes as it stands.
inline std::vector<TDivisionValues> MirroredPairs(int pairs) {
    std::vector<TDivisionValues> divisions;
    for (int p = 0; p < pairs; ++p) {
        TDivisionValues first = Division8("Paar " + std::to_string(p) + " Hin");
        TDivisionValues second = Division8("Paar " + std::to_string(p) + " Rueck");
        for (int i = 0; i < 8; ++i) {
            const std::string club = "Club " + std::to_string(p) + "-" + std::to_string(i);
            SetTeam(first, static_cast<TSlotName>(i), club);
            SetTeam(second, Mirror8(static_cast<TSlotName>(i)), club + " II");
        }
        divisions.push_back(first);
        divisions.push_back(second);
    }
    return divisions;
}

inline TDivisionValues Placed(const TDivisionValues& division, const TPlacement& newSlot) {
    TDivisionValues placed = division;
    placed.Teams = PlacedTeams(division, newSlot);
    return placed;
}

// The teams of the layout's slots in a random order.
inline TDivisionValues Scrambled(const TDivisionValues& division, std::mt19937& random) {
    const std::vector<TSlotName> slots = SlotsUsedBy(LayoutOf(division));
    std::vector<TSlotName> shuffled = slots;
    std::shuffle(shuffled.begin(), shuffled.end(), random);
    TPlacement placement = IdentityPlacement();
    for (std::size_t i = 0; i < slots.size(); ++i)
        placement[static_cast<int>(slots[i])] = shuffled[i];
    return Placed(division, placement);
}

// A generated season with every division on the same dates (so the clubs'
// teams meet in their halls), a second team of a club in each division,
// capacities of 1 or 2 and a few blocked dates.
inline TSeason DenseSeason(int divisions, int clubs, unsigned seed) {
    TSeasonSpec spec;
    spec.Divisions = divisions;
    spec.Clubs = clubs;
    spec.Seed = seed;
    TGeneratedSeason generated = GenerateSeason(spec);
    std::mt19937 random(seed);
    for (TDivisionValues& division : generated.Divisions) {
        division.Dates = generated.Divisions[division.TenTeams ? divisions / 2 : 0].Dates;
        const std::vector<TSlotName> slots = SlotsUsedBy(LayoutOf(division));
        const int from = static_cast<int>(slots[random() % slots.size()]);
        int to = static_cast<int>(slots[random() % slots.size()]);
        if (to != from)
            division.Teams[to] = StripTeamNumber(division.Teams[from]) + " 2";
    }
    for (std::size_t c = 0; c < generated.Clubs.size(); ++c) {
        generated.Clubs[c].Capacity = 1 + (random() % 3 == 0);
        if (c % 5 == 0)
            generated.Clubs[c].Blocked = {*generated.Divisions[0].Dates[random() % 8]};
    }
    return TSeason(generated.Divisions, TClubDirectory(generated.Clubs));
}
