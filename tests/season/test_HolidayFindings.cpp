// Match days in school holidays or on public holidays as findings of the
// season overview and lines of the clash CSV.
#include "SeasonSupport.h"
#include "season/ClashCsv.h"
#include "season/ClashText.h"
#include "season/HolidayFindings.h"

#include <gtest/gtest.h>

namespace {

TEST(HolidayFindings, MatchDaysOffByDateAmongTheClashes) {
    const TSeason season(TwoClashingDivisions(), TClubDirectory());
    const TDaysOff daysOff(TGermanState::NI,
                           {{Day(12, 10), Day(24, 10), "Herbstferien", "ni.ics"}});
    std::vector<std::string> found;
    for (const TClash& clash : ClashesWithHolidays(season, daysOff)) {
        if (clash.Kind != ckHoliday) {
            found.push_back(Describe(season, clash));
            continue;
        }
        ASSERT_FALSE(clash.Games.empty());
        const TSeasonGame& game = clash.Games.front();
        for (const TSeasonGame& other : clash.Games)
            EXPECT_TRUE(other.Division == game.Division && other.Day == game.Day);
        found.push_back(TRegionalSettings::German().FormatDate(clash.Date) + " " +
                        std::to_string(game.Division) + "/" +
                        std::string(SpieltagKeyName(game.Day)) + " " + clash.Holiday);
    }
    const std::vector<std::string> expected = {
        "Halle TV Hude 12.09.2026 1: 0/1A-4A 1/1B-4B",
        "Halle TV Hude 12.09.2026 2: 0/1A-4B 1/1B-4A",
        "03.10.2026 0/5 Tag der Deutschen Einheit",
        "17.10.2026 0/7 Herbstferien",
        "18.10.2026 1/7 Herbstferien",
        "24.10.2026 0/8 Herbstferien",
        "Doppelt SC Nord [SC Nord]: 0/2A 1/3B",
    };
    EXPECT_EQ(Join(found), Join(expected));
}

TEST(HolidayFindings, TextAndCsvLines) {
    const TSeason season({Division8("Nord")}, TClubDirectory());
    const std::vector<TClash> clashes = ClashesWithHolidays(season, TDaysOff(TGermanState::NI, {}));
    ASSERT_EQ(clashes.size(), 1u);
    EXPECT_EQ(ClashTextUtf8(season, clashes[0]),
              "Spieltag in den Ferien: Nord 2026, Spieltag 5 am 03.10.2026 (Tag der Deutschen "
              "Einheit).");
    const std::string csv = MakeClashCsv(season, clashes);
    EXPECT_NE(csv.find("03.10.2026;15:00;;Ferien;Nord 2026;5;"), std::string::npos) << csv;
    EXPECT_EQ(ClashKindName(ckHoliday), "Ferien");
}

} // namespace
