// A generated season: every planted clash found, nothing else reported.
#include "SeasonGenerator.h"
#include "SeasonSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The planted clash as Describe gives the found one (games without their
// away slot, which the generator does not track).
std::string Expected(const TPlantedClash& planted) {
    static const char* kinds[] = {"Halle", "Gesperrt", "Doppelt"};
    std::string text = std::string(kinds[planted.Kind]) + " ";
    if (planted.Kind == ckDouble) {
        text += planted.Team + ":";
        std::vector<int> divisions = planted.Divisions;
        std::sort(divisions.begin(), divisions.end());
        for (int d : divisions)
            text += " " + std::to_string(d);
        return text;
    }
    text += planted.Club + " " + TRegionalSettings::German().FormatDate(planted.Date) + " " +
            std::to_string(planted.Game) + ":";
    std::vector<TTeamEntry> homes = planted.Homes;
    std::sort(homes.begin(), homes.end(),
              [](const TTeamEntry& a, const TTeamEntry& b) { return a.Division < b.Division; });
    for (const TTeamEntry& home : homes)
        text += " " + std::to_string(home.Division) + "/" + std::string(SlotFieldName(home.Slot));
    return text;
}

std::string Found(const TSeason& season, const TClash& clash) {
    static const char* kinds[] = {"Halle", "Gesperrt", "Doppelt"};
    std::string text = std::string(kinds[clash.Kind]) + " ";
    if (clash.Kind == ckDouble) {
        text += clash.Team + ":";
        for (const TTeamEntry& entry : clash.Entries)
            text += " " + std::to_string(entry.Division);
        return text;
    }
    text += season.Clubs().Club(clash.Club).Name + " " +
            TRegionalSettings::German().FormatDate(clash.Date) + " " + std::to_string(clash.Game) +
            ":";
    std::vector<TSeasonGame> games = clash.Games;
    std::sort(games.begin(), games.end(),
              [](const TSeasonGame& a, const TSeasonGame& b) { return a.Division < b.Division; });
    for (const TSeasonGame& game : games)
        text += " " + std::to_string(game.Division) + "/" + std::string(SlotFieldName(game.Home));
    return text;
}

TEST(GeneratedSeason, PlantedClashesAndNoOthers) {
    struct {
        int Divisions, Clubs, Hall, Blocked, Double;
        unsigned Seed;
    } const cases[] = {
        {200, 300, 0, 0, 0, 1}, {200, 300, 5, 5, 5, 2}, {200, 300, 20, 10, 8, 3},
        {40, 60, 3, 3, 3, 4},   {30, 40, 2, 2, 2, 5},
    };
    for (const auto& c : cases) {
        TSeasonSpec spec;
        spec.Divisions = c.Divisions;
        spec.Clubs = c.Clubs;
        spec.HallClashes = c.Hall;
        spec.BlockedClashes = c.Blocked;
        spec.DoubleEntries = c.Double;
        spec.Seed = c.Seed;
        const TGeneratedSeason generated = GenerateSeason(spec);
        const TSeason season(generated.Divisions, TClubDirectory(generated.Clubs));
        std::vector<std::string> expected, found;
        for (const TPlantedClash& planted : generated.Planted)
            expected.push_back(Expected(planted));
        for (const TClash& clash : season.Clashes())
            found.push_back(Found(season, clash));
        std::sort(expected.begin(), expected.end());
        std::sort(found.begin(), found.end());
        const std::string input =
            "seed " + std::to_string(c.Seed) + ", " + std::to_string(c.Divisions) + " divisions";
        EXPECT_EQ(Join(found), Join(expected)) << input;
        EXPECT_GE(expected.size(), static_cast<std::size_t>(c.Hall + c.Blocked + c.Double))
            << input;
        // A hall clash is one game too many, a blocked one one game.
        int count = 0;
        for (const TPlantedClash& planted : generated.Planted)
            count += planted.Kind == ckDouble ? 0 : 1;
        EXPECT_EQ(season.ClashCount(), count) << input;
    }
}

TEST(GeneratedSeason, HasTheSizeOfADistrict) {
    const TGeneratedSeason generated = GenerateSeason({});
    const TSeason season(generated.Divisions, TClubDirectory(generated.Clubs));
    std::size_t games = 0;
    for (int d = 0; d < season.DivisionCount(); ++d)
        games += season.Games(d).size();
    EXPECT_EQ(games, 100u * 56 + 100u * 90);
    EXPECT_EQ(season.Clubs().ClubCount(), 300); // every team's club is in the table
    int teamsMax = 0;
    std::vector<int> teams(300);
    for (int d = 0; d < season.DivisionCount(); ++d)
        for (TClubId club : season.SlotClubs(d))
            if (club != NoClub)
                teamsMax = std::max(teamsMax, ++teams[club]);
    EXPECT_GE(teamsMax, 5);
    EXPECT_GE(std::count_if(teams.begin(), teams.end(), [](int n) { return n >= 2 && n <= 5; }),
              50);
}

} // namespace
