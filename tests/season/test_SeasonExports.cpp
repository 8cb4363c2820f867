// The clash list and a club's plan as CSV, iCalendar and pages.
#include "CrlfLines.h"
#include "FakeMeasure.h"
#include "SeasonSupport.h"
#include "report/ICalExport.h"
#include "season/ClashCsv.h"
#include "season/ClubPlan.h"
#include "season/ClubPlanPages.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using enum TSlotName;
using enum TSpieltagKey;

constexpr std::int64_t kStamp = 1796803200; // 2026-12-09 08:00:00 UTC

TEST(ClashCsv, OneLinePerGameInvolvedDoubleEntriesLast) {
    // Regional settings of the season do not change the date format.
    TRegionalSettings us = TRegionalSettings::German();
    us.ShortDateFormat = "M/d/yyyy";
    const TSeason season(TwoClashingDivisions(), TClubDirectory({{"TV Hude", 1, {Day(5, 9)}}}, us));
    const std::string csv = MakeClashCsv(season);
    ASSERT_EQ(csv.rfind("\xEF\xBB\xBF", 0), 0u);
    EXPECT_EQ(CrlfLines(csv.substr(3)),
              (std::vector<std::string>{
                  "Datum;Uhrzeit;Verein;Art;Staffel;Spieltag;Heim;Gast",
                  "05.09.2026;15:00;TV Hude;Gesperrt;Nord 2026;1;TV Hude;Nord 1B",
                  "12.09.2026;15:00;TV Hude;Halle;Nord 2026;2;TV Hude;Nord 4A",
                  "12.09.2026;15:00;TV Hude;Halle;S\xC3\xBC"
                  "d 2026;2;tv hude 2;Platz 4B",
                  "12.09.2026;19:00;TV Hude;Halle;Nord 2026;2;TV Hude;Nord 4B",
                  "12.09.2026;19:00;TV Hude;Halle;S\xC3\xBC"
                  "d 2026;2;tv hude 2;S\xC3\xBC"
                  "d 4A",
                  ";;SC Nord;Doppelt;Nord 2026;;SC Nord;",
                  ";;SC Nord;Doppelt;S\xC3\xBC"
                  "d 2026;;SC  nord;",
              }));
}

TEST(ClashCsv, SeasonsTogetherInDateOrder) {
    std::vector<TDivisionValues> later = TwoClashingDivisions(), earlier = TwoClashingDivisions();
    for (TDivisionValues& division : earlier) {
        division.Jahr = 2025;
        for (auto& date : division.Dates)
            *date -= 364;
    }
    const TSeason s2026(later, TClubDirectory());
    const TSeason s2025(earlier, TClubDirectory());
    const auto lines = CrlfLines(MakeClashCsv({&s2026, &s2025}).substr(3));
    ASSERT_EQ(lines.size(), 1u + 2 * 4 + 2 * 2) << Join(lines);
    EXPECT_EQ(lines[1].substr(0, 10), "13.09.2025");
    EXPECT_EQ(lines[5].substr(0, 10), "12.09.2026");
    EXPECT_EQ(lines[9], ";;SC Nord;Doppelt;Nord 2026;;SC Nord;");
    EXPECT_EQ(lines[11], ";;SC Nord;Doppelt;Nord 2025;;SC Nord;");
}

TEST(ClubPlan, AllGamesOfTheClubInTimeOrder) {
    std::vector<TDivisionValues> divisions = TwoClashingDivisions();
    SetDate(divisions[1], k8, std::nullopt);
    const TSeason season(divisions, TClubDirectory());
    const TClubPlan plan = MakeClubPlan(season, season.Clubs().FindClub("tv hude"));
    EXPECT_EQ(plan.Name, "TV Hude");
    EXPECT_EQ(plan.Year, 2026);
    ASSERT_EQ(plan.Games.size(), 2u * 14);
    int home = 0;
    for (std::size_t i = 0; i < plan.Games.size(); ++i) {
        const TClubPlanGame& entry = plan.Games[i];
        home += entry.Home;
        const std::string& team = entry.Home ? entry.Game.HomeTeam : entry.Game.AwayTeam;
        EXPECT_EQ(FoldClubName(team).substr(0, 7), "tv hude") << i;
        if (i > 0) {
            EXPECT_FALSE(GameTimeOrderLess(entry.Game, plan.Games[i - 1].Game)) << i;
        }
    }
    EXPECT_EQ(home, 14);
    EXPECT_FALSE(plan.Games.back().Game.Date); // match day 8 of Süd has no date

    const auto lines =
        CrlfLines(MakeClubPlanCsv(season, plan, TRegionalSettings::German()).substr(3));
    ASSERT_EQ(lines.size(), 1u + 28);
    EXPECT_EQ(lines[0], "Datum;Uhrzeit;Staffel;Spieltag;Heim;Gast;Heimspiel;Ergebnis;Verlegt");
    EXPECT_EQ(lines[1], "05.09.2026;15:00;Nord 2026;1;TV Hude;Nord 1B;ja;;");
    EXPECT_EQ(lines.back().substr(0, 7), ";19:00;");
}

// The VEVENT blocks of a calendar by UID.
std::map<std::string, std::string> Events(const std::string& text) {
    std::map<std::string, std::string> events;
    for (std::size_t start = 0; (start = text.find("BEGIN:VEVENT", start)) != std::string::npos;) {
        const std::size_t end = text.find("END:VEVENT", start);
        const std::string block = text.substr(start, end - start);
        const std::size_t uid = block.find("UID:");
        events[block.substr(uid, block.find("\r\n", uid) - uid)] = block;
        start = end;
    }
    return events;
}

TEST(ClubPlan, CalendarEventsAreThoseOfTheDivisionExport) {
    std::vector<TDivisionValues> divisions = TwoClashingDivisions();
    SetDate(divisions[0], k7, std::nullopt);
    const TSeason season(divisions, TClubDirectory());
    const TClubPlan plan = MakeClubPlan(season, season.Clubs().FindClub("TV Hude"));
    const TCalendarExport calendar = MakeClubPlanCalendar(season, plan, kStamp);
    EXPECT_EQ(calendar.Undated, 2); // 1A plays twice on match day 7 of Nord
    EXPECT_EQ(calendar.Events + calendar.Undated, 28);
    const auto clubEvents = Events(calendar.Text);
    ASSERT_EQ(clubEvents.size(), static_cast<std::size_t>(calendar.Events));
    std::map<std::string, std::string> divisionEvents;
    for (const TDivisionValues& division : divisions)
        divisionEvents.merge(Events(MakeCalendar(division, csDivision, kStamp).Text));
    for (const auto& [uid, block] : clubEvents) {
        ASSERT_TRUE(divisionEvents.contains(uid)) << uid;
        EXPECT_EQ(block, divisionEvents[uid]) << uid;
    }
    EXPECT_NE(calendar.Text.find("X-WR-CALNAME:TV Hude 2026\r\n"), std::string::npos);
}

TEST(ClubPlanPages, HeadingOnEveryPageAndPageNumbers) {
    struct {
        int Divisions; // each with a team of the club
        std::size_t Pages;
    } const cases[] = {{0, 1}, {1, 1}, {3, 1}, {4, 2}, {8, 3}};
    for (const auto& c : cases) {
        std::vector<TDivisionValues> divisions;
        for (int d = 0; d < std::max(c.Divisions, 1); ++d) {
            divisions.push_back(Division8("D" + std::to_string(d)));
            if (d < c.Divisions)
                SetTeam(divisions.back(), s2B, "TV Hude " + std::to_string(d + 1));
        }
        const TSeason season(divisions, TClubDirectory({{"TV Hude", 1, {}}}));
        TFakeMeasure measure;
        const TReportPages pages =
            MakeClubPlanPages(season, MakeClubPlan(season, season.Clubs().FindClub("TV Hude")),
                              TRegionalSettings::German(), Day(9, 12), measure);
        const std::string input = std::to_string(c.Divisions) + " divisions";
        ASSERT_EQ(pages.Pages.size(), c.Pages) << input;
        EXPECT_EQ(pages.Title, "Spielplan TV Hude 2026") << input;
        int rows = 0;
        for (std::size_t p = 0; p < pages.Pages.size(); ++p) {
            std::vector<std::string> texts;
            for (const TPageItem& item : pages.Pages[p].Items) {
                if (item.Kind != piText)
                    continue;
                texts.push_back(item.Text);
                EXPECT_LE(measure.TextWidth(item.Text, item.Font), item.Width + 1e-9) << item.Text;
                EXPECT_LE(item.Top + LineHeight(item.Font), A4HeightInches - 0.1) << item.Text;
                rows += item.Left == 3.80 && item.Top > 1.2; // the Heim column
            }
            const auto has = [&](const std::string& text) {
                return std::find(texts.begin(), texts.end(), text) != texts.end();
            };
            EXPECT_TRUE(has("TV Hude")) << input << ", page " << p + 1;
            EXPECT_TRUE(has("2026")) << input;
            EXPECT_TRUE(has("09.12.2026")) << input;
            EXPECT_TRUE(has("Seite " + std::to_string(p + 1) + " von " +
                            std::to_string(pages.Pages.size())))
                << input;
        }
        EXPECT_EQ(rows, 14 * c.Divisions) << input;
    }
}

} // namespace

namespace {

TEST(ClashCsv, CellsGoThroughTheSharedCellRules) {
    std::vector<TDivisionValues> divisions = TwoClashingDivisions();
    SetTeam(divisions[0], TSlotName::s2A, "=SC Nord");
    SetTeam(divisions[1], TSlotName::s3B, "=SC Nord");
    const TSeason season(divisions, TClubDirectory());
    const auto lines = CrlfLines(MakeClashCsv(season));
    EXPECT_EQ(lines[lines.size() - 1], ";;'=SC Nord;Doppelt;S\xC3\xBC"
                                       "d 2026;;'=SC Nord;");
}

} // namespace
