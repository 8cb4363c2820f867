// The clash count of a placement from the placement context equals the
// count of the season with the teams moved.
#include "SeasonGenerator.h"
#include "season/Placement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

TDivisionValues Moved(const TDivisionValues& division, const TPlacement& newSlot) {
    TDivisionValues moved = division;
    for (int s = 0; s < SlotCount; ++s)
        moved.Teams[static_cast<int>(newSlot[s])] = division.Teams[s];
    return moved;
}

TEST(Placement, CountEqualsTheSeasonWithTheTeamsMoved) {
    TSeasonSpec spec;
    spec.Divisions = 28;
    spec.Clubs = 30;
    spec.BlockedClashes = 3;
    TGeneratedSeason generated = GenerateSeason(spec);
    // All divisions on the same days: plenty of hall clashes.
    for (TDivisionValues& division : generated.Divisions)
        division.Dates = generated.Divisions[division.TenTeams ? spec.Divisions / 2 : 0].Dates;
    std::vector<TClubValues> clubs = generated.Clubs;
    clubs[0].Capacity = 2;
    const TSeason season(generated.Divisions, TClubDirectory(clubs));
    std::mt19937 random(11);
    for (int d = 0; d < season.DivisionCount(); d += 3) {
        const TPlacementContext context = MakePlacementContext(season, d);
        ASSERT_GT(season.ClashCount(), 20);
        EXPECT_EQ(PlacementClashCount(context, IdentityPlacement()), season.ClashCount())
            << "division " << d;
        const std::vector<TSlotName> slots = SlotsUsedBy(LayoutOf(season.Division(d)));
        for (int trial = 0; trial < 20; ++trial) {
            std::vector<TSlotName> shuffled = slots;
            std::shuffle(shuffled.begin(), shuffled.end(), random);
            TPlacement placement = IdentityPlacement();
            for (std::size_t i = 0; i < slots.size(); ++i)
                placement[static_cast<int>(slots[i])] = shuffled[i];
            std::vector<TDivisionValues> divisions = generated.Divisions;
            divisions[d] = Moved(divisions[d], placement);
            const TSeason moved(divisions, TClubDirectory(clubs));
            ASSERT_EQ(PlacementClashCount(context, placement), moved.ClashCount())
                << "division " << d << ", trial " << trial;
        }
    }
}

TEST(Placement, RestOfTheSeasonLeavesTheDivisionOut) {
    const TGeneratedSeason generated = GenerateSeason({.Divisions = 14, .Clubs = 20});
    // Three teams of one club in one division, two of them at home at once.
    std::vector<TDivisionValues> divisions = generated.Divisions;
    divisions[0].Teams[0] = "Hallenclub";   // 1A
    divisions[0].Teams[1] = "Hallenclub 2"; // 1B
    divisions[0].Teams[2] = "Hallenclub 3"; // 2A
    const TSeason season(divisions, TClubDirectory(generated.Clubs));
    const TPlacementContext context = MakePlacementContext(season, 0);
    EXPECT_EQ(context.RestClashCount, 0);
    EXPECT_GT(season.ClashCount(), 0);
    EXPECT_EQ(PlacementClashCount(context, IdentityPlacement()), season.ClashCount());
    EXPECT_EQ(context.ClubOfSlot[0], context.ClubOfSlot[2]);
    for (const TPlacementClub& club : context.Clubs)
        for (int rest : club.RestHomeGames)
            EXPECT_EQ(rest, 0) << club.Club; // no other division shares a day in 14 groups
}

} // namespace
