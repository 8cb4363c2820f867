// The whole-season improvement: reaches a known clash-free season, is never
// worse than the start, and its moves give the season it reports.
#include "ProposalSupport.h"
#include "season/SeasonOptimizer.h"

#include <gtest/gtest.h>

namespace {

std::vector<TDivisionValues> DivisionsOf(const TSeason& season) {
    std::vector<TDivisionValues> divisions;
    for (int d = 0; d < season.DivisionCount(); ++d)
        divisions.push_back(season.Division(d));
    return divisions;
}

// The season with the proposed teams, as the user would apply it.
TSeason Applied(const TSeason& season, const TSeasonOptimization& result) {
    std::vector<TDivisionValues> divisions = DivisionsOf(season);
    for (const TDivisionMoves& moves : result.Divisions) {
        divisions[moves.Division].Teams = moves.Teams;
        EXPECT_EQ(moves.Teams, PlacedTeams(season.Division(moves.Division), moves.Placement));
        EXPECT_FALSE(moves.Moves.empty()) << moves.Division;
    }
    return TSeason(divisions, season.Clubs());
}

TEST(SeasonOptimizer, ScrambledSeasonComesBackFreeOfClashes) {
    for (unsigned seed : {1u, 2u, 3u}) {
        std::mt19937 random(seed);
        std::vector<TDivisionValues> divisions = MirroredPairs(4);
        for (TDivisionValues& division : divisions)
            division = Scrambled(division, random);
        const TSeason season(divisions, TClubDirectory());
        const TSeasonOptimization result = OptimizeSeason(season);
        EXPECT_TRUE(result.Complete) << seed;
        EXPECT_GT(result.ClashesBefore, 0) << seed;
        EXPECT_EQ(result.ClashesAfter, 0) << seed;
        EXPECT_EQ(Applied(season, result).ClashCount(), 0) << seed;
    }
}

TEST(SeasonOptimizer, NeverWorseAndPinnedTeamsStay) {
    for (unsigned seed : {4u, 5u}) {
        const TSeason season = DenseSeason(24, 40, seed);
        std::vector<TPinnedSlots> pinned(season.DivisionCount());
        for (int d = 0; d < season.DivisionCount(); d += 3)
            pinned[d][d % 8] = true;
        TSearchControl control;
        control.NodeLimit = 200000;
        const TSeasonOptimization result = OptimizeSeason(season, pinned, control);
        EXPECT_LE(result.ClashesAfter, result.ClashesBefore) << seed;
        EXPECT_LT(result.ClashesAfter, result.ClashesBefore) << seed;
        EXPECT_EQ(result.ClashesBefore, season.ClashCount()) << seed;
        EXPECT_EQ(Applied(season, result).ClashCount(), result.ClashesAfter) << seed;
        for (const TDivisionMoves& moves : result.Divisions)
            for (int s = 0; s < SlotCount; ++s)
                if (pinned[moves.Division][s])
                    EXPECT_EQ(moves.Placement[s], static_cast<TSlotName>(s))
                        << seed << ", division " << moves.Division;
    }
}

TEST(SeasonOptimizer, CancelledKeepsTheStart) {
    const TSeason season = DenseSeason(12, 30, 6);
    std::atomic<bool> cancel = true;
    TSearchControl control;
    control.Cancel = &cancel;
    const TSeasonOptimization result = OptimizeSeason(season, {}, control);
    EXPECT_FALSE(result.Complete);
    EXPECT_EQ(result.ClashesAfter, result.ClashesBefore);
    EXPECT_TRUE(result.Divisions.empty());
}

} // namespace
