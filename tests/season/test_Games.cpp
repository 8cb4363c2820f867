// A division's games as the season sees them.
#include "DivisionSamples.h"
#include "season/Games.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using enum TSlotName;
using enum TSpieltagKey;

TEST(Games, EveryOrderedSlotPairOnce) {
    for (bool tenTeams : {false, true}) {
        const TDivisionValues division = SampleDivision(tenTeams);
        const auto games = GamesOfDivision(division, 7);
        const std::size_t slots = tenTeams ? 10 : 8;
        ASSERT_EQ(games.size(), slots * (slots - 1)) << "ten teams " << tenTeams;
        std::set<std::pair<TSlotName, TSlotName>> pairs;
        for (const TSeasonGame& game : games) {
            EXPECT_NE(game.Home, game.Away);
            EXPECT_LT(static_cast<std::size_t>(game.Home), slots);
            EXPECT_LT(static_cast<std::size_t>(game.Away), slots);
            EXPECT_TRUE(pairs.insert({game.Home, game.Away}).second)
                << SlotFieldName(game.Home) << "-" << SlotFieldName(game.Away);
            EXPECT_EQ(game.Division, 7);
            EXPECT_TRUE(game.Game == 1 || game.Game == 2);
            EXPECT_EQ(game.HomeTeam, "Team " + std::string(SlotFieldName(game.Home)));
            EXPECT_EQ(game.Date, division.Date(game.Day));
        }
    }
}

TEST(Games, TeamsTrimmedAndMissingDatesUnscheduled) {
    TDivisionValues division = SampleDivision(false);
    SetTeam(division, s1A, "  TV Hude  ");
    SetTeam(division, s1B, "   ");
    SetDate(division, k1, std::nullopt);
    const auto games = GamesOfDivision(division, 0);
    // Match day 1 of Klasse8: 1A-1B first.
    ASSERT_EQ(games.front().Day, k1);
    EXPECT_EQ(games.front().HomeTeam, "TV Hude");
    EXPECT_EQ(games.front().AwayTeam, "");
    EXPECT_FALSE(games.front().Scheduled());
    int unscheduled = 0;
    for (const TSeasonGame& game : games)
        unscheduled += !game.Scheduled();
    EXPECT_EQ(unscheduled, 4); // match day 1 has four games
}

TEST(Games, TimeOrder) {
    TSeasonGame early{0, k2, 2, 1, s1A, s1B, "", "", 100};
    TSeasonGame sameDayFirstGame{1, k3, 1, 1, s1A, s1B, "", "", 100};
    TSeasonGame later{0, k1, 1, 1, s1A, s1B, "", "", 101};
    TSeasonGame unscheduled{0, k1, 1, 1, s1A, s1B, "", "", std::nullopt};
    EXPECT_TRUE(GameTimeOrderLess(sameDayFirstGame, early));
    EXPECT_TRUE(GameTimeOrderLess(early, later));
    EXPECT_TRUE(GameTimeOrderLess(later, unscheduled));
    EXPECT_FALSE(GameTimeOrderLess(unscheduled, later));
    EXPECT_FALSE(GameTimeOrderLess(early, early));
}

} // namespace
