// The season kept up to date after saves: one changed division is replaced
// on its own and gives what a fresh season gives; anything else rebuilds.
#include "SeasonSupport.h"
#include "season/ClashText.h"
#include "season/SeasonFollower.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using enum TSlotName;
using enum TSpieltagKey;

// Two 2026 divisions with TV Hude at home at the same times, and one of 2025 between them.
std::vector<TDivisionValues> Table() {
    TDivisionValues nord = Division8("Nord");
    TDivisionValues old = Division8("Alt");
    old.Jahr = 2025;
    TDivisionValues sued = Division8("Sued");
    SetTeam(nord, s1A, "TV Hude");
    SetTeam(sued, s1A, "TV Hude II");
    return {nord, old, sued};
}

const std::vector<TClubValues> NoClubs;

TEST(SeasonFollower, ReplacesAChangedDivisionAndRebuildsForMore) {
    const TRegionalSettings& german = TRegionalSettings::German();
    std::vector<TDivisionValues> table = Table();
    TSeasonFollower follower;
    EXPECT_EQ(follower.Follow(table, NoClubs, 2026, german), frRebuilt);
    ASSERT_EQ(follower.Season()->DivisionCount(), 2);
    EXPECT_EQ(follower.DisplayRow(1), 2);
    EXPECT_EQ(follower.Season()->ClashCount(), 7);
    EXPECT_EQ(follower.Follow(table, NoClubs, 2026, german), frUnchanged);

    struct {
        const char* Change;
        std::function<void(std::vector<TDivisionValues>&, std::vector<TClubValues>&)> Apply;
        TFollowResult Result;
    } const cases[] = {
        {"team renamed", [](auto& t, auto&) { SetTeam(t[2], s1A, "SC Nord"); }, frReplaced},
        {"date moved", [](auto& t, auto&) { SetDate(t[0], k3, std::nullopt); }, frReplaced},
        {"other year changed", [](auto& t, auto&) { SetTeam(t[1], s1A, "TV Hude"); }, frUnchanged},
        {"division of another year inserted before",
         [](auto& t, auto&) { t.insert(t.begin(), t[1]); }, frUnchanged},
        {"division added", [](auto& t, auto&) { t.push_back(Division8("West")); }, frRebuilt},
        {"club table changed",
         [](auto&, auto& c) {
             c.push_back({"TV Hude", 2, {}});
         },
         frRebuilt},
    };
    for (const auto& c : cases) {
        std::vector<TDivisionValues> changed = Table();
        std::vector<TClubValues> clubs;
        TSeasonFollower kept;
        kept.Follow(changed, clubs, 2026, german);
        c.Apply(changed, clubs);
        EXPECT_EQ(kept.Follow(changed, clubs, 2026, german), c.Result) << c.Change;
        const TSeason fresh(DivisionsOfYear(changed, 2026), TClubDirectory(clubs, german));
        EXPECT_EQ(Join(Describe(*kept.Season())), Join(Describe(fresh))) << c.Change;
        EXPECT_EQ(kept.Season()->ClashCount(), fresh.ClashCount()) << c.Change;
        EXPECT_EQ(kept.Season()->UnscheduledCount(), fresh.UnscheduledCount()) << c.Change;
        for (int d = 0; d < kept.Season()->DivisionCount(); ++d)
            EXPECT_EQ(changed[kept.DisplayRow(d)], kept.Season()->Division(d)) << c.Change;
    }
}

TEST(SeasonFollower, AnotherYearRebuilds) {
    TSeasonFollower follower;
    follower.Follow(Table(), NoClubs, 2026, TRegionalSettings::German());
    EXPECT_EQ(follower.Follow(Table(), NoClubs, 2025, TRegionalSettings::German()), frRebuilt);
    EXPECT_EQ(follower.Season()->DivisionCount(), 1);
    EXPECT_EQ(follower.Year(), 2025);
}

TEST(ClashText, OneLineNamesClubKindTimeAndEveryGame) {
    TDivisionValues nord = Division8("Nord");
    TDivisionValues sued = Division8("Sued");
    SetTeam(nord, s1A, "TV Hude");
    SetTeam(sued, s1A, "TV Hude II");
    SetTeam(sued, s2A, "SC Nord");
    SetTeam(nord, s3A, "SC Nord");
    TDivisionValues west = Division8("West", 100);
    const TSeason season({nord, sued, west}, TClubDirectory({{"TV Hude", 1, {Day(5, 9)}}},
                                                            TRegionalSettings::German()));
    const std::vector<TClash> ofNord = ClashesOfDivision(season, 0);
    const TClubId hude = season.Clubs().FindClub("TV Hude");
    const auto first = std::find_if(ofNord.begin(), ofNord.end(),
                                    [&](const TClash& clash) { return clash.Club == hude; });
    ASSERT_NE(first, ofNord.end());
    EXPECT_EQ(ClashTextUtf8(season, *first),
              "Hallenkonflikt: „TV Hude“ hat am 05.09.2026 um 15:00 2 Heimspiele bei einer "
              "Kapazität von 1 – Nord 2026, Spieltag 1: TV Hude – Nord 1B; Sued 2026, Spieltag 1: "
              "TV Hude II – Sued 1B.");
    EXPECT_EQ(ClashTextUtf8(season, ofNord.back()),
              "Doppelt eingetragen: „SC Nord“ steht in Nord 2026 (Platz 3A) und Sued 2026 "
              "(Platz 2A).");
    const auto blocked = std::find_if(ofNord.begin(), ofNord.end(),
                                      [](const TClash& clash) { return clash.Kind == ckBlocked; });
    ASSERT_NE(blocked, ofNord.end());
    EXPECT_EQ(
        ClashTextUtf8(season, *blocked)
            .rfind(
                "Gesperrter Termin: „TV Hude“ hat am 05.09.2026 um 15:00 2 Heimspiele, die Halle "
                "ist an diesem Tag gesperrt – Nord 2026, Spieltag 1: TV Hude – Nord 1B;",
                0),
        0u)
        << ClashTextUtf8(season, *blocked);
    EXPECT_TRUE(ClashesOfDivision(season, 2).empty());
    EXPECT_EQ(ClashesOfDivision(season, 1).size(), ofNord.size());
}

} // namespace
