// Hall, blocked and double-entry clashes on small seasons built by hand, and
// the incremental recompute against a fresh one.
#include "SeasonGenerator.h"
#include "SeasonSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using enum TSlotName;
using enum TSpieltagKey;

TEST(Clashes, EachKindWithEveryGameInvolved) {
    TSeason season(TwoClashingDivisions(), TClubDirectory({{"TV Hude", 1, {Day(5, 9)}}}));
    EXPECT_EQ(Join(Describe(season)), Join({
                                          "Gesperrt TV Hude 05.09.2026 1: 0/1A-1B",
                                          "Halle TV Hude 12.09.2026 1: 0/1A-4A 1/1B-4B",
                                          "Halle TV Hude 12.09.2026 2: 0/1A-4B 1/1B-4A",
                                          "Doppelt SC Nord [SC Nord]: 0/2A 1/3B",
                                      }));
    EXPECT_EQ(season.ClashCount(), 3);
    EXPECT_EQ(season.UnscheduledCount(), 0);
}

TEST(Clashes, CapacityAllowsThatManyGamesAtOnce) {
    struct {
        int Capacity;
        int Divisions; // each with TV Hude in 1A, same dates
        int ClashCount;
        std::size_t Clashes;
    } const cases[] = {{1, 1, 0, 0}, {1, 2, 7, 7}, {1, 3, 14, 7},
                       {2, 2, 0, 0}, {2, 3, 7, 7}, {3, 3, 0, 0}};
    for (const auto& c : cases) {
        std::vector<TDivisionValues> divisions;
        for (int d = 0; d < c.Divisions; ++d) {
            divisions.push_back(Division8("D" + std::to_string(d)));
            SetTeam(divisions.back(), s1A, "TV Hude " + std::to_string(d + 1));
        }
        TSeason season(divisions, TClubDirectory({{"TV Hude", c.Capacity, {}}}));
        const std::string input =
            "capacity " + std::to_string(c.Capacity) + ", divisions " + std::to_string(c.Divisions);
        EXPECT_EQ(season.ClashCount(), c.ClashCount) << input;
        const auto clashes = season.Clashes();
        EXPECT_EQ(clashes.size(), c.Clashes) << input;
        for (const TClash& clash : clashes)
            EXPECT_EQ(clash.Games.size(), static_cast<std::size_t>(c.Divisions)) << input;
    }
}

TEST(Clashes, WhatIsNoClash) {
    // Away games, empty slots, unscheduled games and blocked dates of away games.
    TDivisionValues d0 = Division8("Nord");
    TDivisionValues d1 = Division8("Sued");
    SetTeam(d0, s1A, "TV Hude");
    SetTeam(d1, s1B, "TV Hude 2"); // at home with 1A only on match days 2, 7 and 8
    SetDate(d1, k2, std::nullopt);
    SetDate(d1, k7, std::nullopt);
    SetDate(d1, k8, std::nullopt);
    SetTeam(d0, s3A, "");
    SetTeam(d1, s3A, "");
    TSeason season({d0, d1}, TClubDirectory({{"TV Hude", 1, {Day(19, 9)}}})); // 1A away on md 3
    EXPECT_EQ(Join(Describe(season)), "");
    EXPECT_EQ(season.ClashCount(), 0);
    EXPECT_EQ(season.UnscheduledCount(), 24); // match days 2, 7 and 8 of Sued, 8 games each
}

TEST(Clashes, HomeGamesPerDateByClubName) {
    TSeason season(TwoClashingDivisions(), TClubDirectory());
    const TClubId hude = season.Clubs().FindClub("TV Hude");
    int onTwelfth = 0, dates = 0;
    for (const THomeGamesOnDate& entry : season.HomeGamesPerDate())
        if (entry.Club == hude) {
            ++dates;
            if (entry.Date == Day(12, 9))
                onTwelfth = entry.HomeGames;
        }
    EXPECT_EQ(onTwelfth, 4);     // both teams at 15 and 19 Uhr
    EXPECT_EQ(dates, 4 + 4 - 1); // 1A home on 4 dates, 1B on 4, 12.09. shared
    const auto entries = season.HomeGamesPerDate();
    for (std::size_t i = 1; i < entries.size(); ++i) {
        const auto& a = entries[i - 1];
        const auto& b = entries[i];
        const int byName =
            CompareGermanText(season.Clubs().Club(a.Club).Name, season.Clubs().Club(b.Club).Name);
        EXPECT_TRUE(byName < 0 || (a.Club == b.Club && a.Date < b.Date)) << i;
    }
}

TEST(Clashes, ReplacingADivisionGivesWhatAFreshSeasonGives) {
    TSeasonSpec spec;
    spec.Divisions = 30;
    spec.Clubs = 40;
    spec.HallClashes = 3;
    spec.BlockedClashes = 3;
    spec.DoubleEntries = 2;
    const TGeneratedSeason generated = GenerateSeason(spec);
    std::vector<TDivisionValues> divisions = generated.Divisions;
    TSeason season(divisions, TClubDirectory(generated.Clubs));
    std::mt19937 random(7);
    for (int step = 0; step < 60; ++step) {
        const int d = static_cast<int>(random() % divisions.size());
        TDivisionValues& division = divisions[d];
        // Swap two teams, copy a team from elsewhere, move a date or drop one.
        const int a = static_cast<int>(random() % 8), b = static_cast<int>(random() % 8);
        switch (random() % 4) {
        case 0:
            std::swap(division.Teams[a], division.Teams[b]);
            break;
        case 1:
            division.Teams[a] = divisions[random() % divisions.size()].Teams[b];
            break;
        case 2:
            if (division.Dates[a])
                *division.Dates[a] += 1;
            break;
        default:
            division.Dates[a].reset();
            break;
        }
        season.ReplaceDivision(d, division);
        const TSeason fresh(divisions, TClubDirectory(generated.Clubs));
        const std::string input = "step " + std::to_string(step);
        ASSERT_EQ(Join(Describe(season)), Join(Describe(fresh))) << input;
        ASSERT_EQ(season.ClashCount(), fresh.ClashCount()) << input;
        ASSERT_EQ(season.UnscheduledCount(), fresh.UnscheduledCount()) << input;
        ASSERT_EQ(season.HomeGamesPerDate().size(), fresh.HomeGamesPerDate().size()) << input;
    }
}

TEST(Clashes, SeasonsAreTheYears) {
    std::vector<TDivisionValues> divisions = {SampleDivision(false, 2026),
                                              SampleDivision(true, 2025),
                                              SampleDivision(false, 2026), SampleDivision(false)};
    divisions[3].Jahr.reset();
    divisions[2].Klasse = "Zweite";
    EXPECT_EQ(SeasonYears(divisions), (std::vector<std::int32_t>{2025, 2026}));
    const auto of2026 = DivisionsOfYear(divisions, 2026);
    ASSERT_EQ(of2026.size(), 2u);
    EXPECT_EQ(of2026[1].Klasse, "Zweite");
    EXPECT_TRUE(DivisionsOfYear(divisions, 2030).empty());
}

} // namespace
