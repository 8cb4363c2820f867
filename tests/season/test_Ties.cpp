// Tie records in the season: byes, moved ties in the hall check and the
// exports, cancelled ties, the overview's lists and records that lost
// their tie.
#include "SeasonGenerator.h"
#include "SeasonSupport.h"

#include "report/CsvExport.h"
#include "report/ICalExport.h"
#include "report/PlanCheck.h"
#include "season/ClubPlan.h"
#include "season/Placement.h"
#include "season/Standings.h"
#include "season/TieLists.h"
#include "season/TieTable.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

using enum TSlotName;
using enum TSpieltagKey;

TTieRecord RecordOf(const TSeason& season, int division, TSlotName home, TSlotName away) {
    for (const TSeasonGame& game : season.Games(division))
        if (game.Home == home && game.Away == away)
            return NewTieRecord(season, game);
    ADD_FAILURE() << "no such game";
    return {};
}

const TSeasonGame* GameOf(const TSeason& season, int division, TSlotName home, TSlotName away) {
    for (const TSeasonGame& game : season.Games(division))
        if (game.Home == home && game.Away == away)
            return &game;
    return nullptr;
}

TEST(Byes, NoTieNoClubNoWarningInBothLayouts) {
    for (const bool ten : {false, true}) {
        TDivisionValues division = SampleDivision(ten);
        const TSlotName bye = ten ? s5B : s4B;
        SetTeam(division, bye, "  SpielFrei ");
        TDivisionValues other = Division8("Sued");
        SetTeam(other, s4B, "spielfrei");
        const std::string input = ten ? "10 teams" : "8 teams";
        const auto all = GamesOf(LayoutOf(division));
        const auto withBye = std::count_if(all.begin(), all.end(), [bye](const TGame& g) {
            return g.Home == bye || g.Away == bye;
        });
        const TSeason season({division, other}, TClubDirectory());
        EXPECT_GT(withBye, 0) << input;
        EXPECT_EQ(season.Games(0).size(), all.size() - withBye) << input;
        EXPECT_EQ(season.SlotClubs(0)[static_cast<int>(bye)], NoClub) << input;
        EXPECT_EQ(season.Clubs().FindClub("spielfrei"), NoClub) << input;
        EXPECT_EQ(Join(Describe(season)), "") << input << ": no double entry";
        for (const TPlanFinding& finding : CheckPlan(division, TRegionalSettings::German()))
            EXPECT_EQ(finding.Text.find("pielfrei"), std::string::npos) << input << finding.Text;
        EXPECT_EQ(TeamLabel(division, bye), "spielfrei") << input;
        const std::string csv = MakeFixtureCsv(division, TRegionalSettings::German());
        EXPECT_EQ(csv.find("pielfrei"), std::string::npos) << input;
        const TCalendarExport calendar = MakeCalendar(division, csDivision, 1'800'000'000);
        EXPECT_EQ(calendar.Events, static_cast<int>(all.size() - withBye)) << input;
        const auto standings = MakeStandings(season, 0);
        EXPECT_EQ(standings.Rows.size(), SlotsUsedBy(LayoutOf(division)).size() - 1) << input;
        SetTeam(division, s1A, "SPIELFREI");
        for (const TPlanFinding& finding : CheckPlan(division, TRegionalSettings::German()))
            EXPECT_EQ(finding.Text.find("pielfrei"), std::string::npos) << input << finding.Text;
    }
}

// TV Hude is at home in Nord (1A) and in Süd (1B); capacity 1.
struct THallSeason {
    TDivisionValues Nord = Division8("Nord");
    TDivisionValues Sued = Division8("Sued", 1); // a day after Nord
    THallSeason() {
        SetTeam(Nord, s1A, "TV Hude");
        SetTeam(Sued, s1B, "TV Hude 2");
    }
    TSeason Make(std::vector<TTieRecord> ties = {}) const {
        return TSeason({Nord, Sued}, TClubDirectory({{"TV Hude", 1, {}}}), std::move(ties));
    }
};

TEST(MovedTies, CreateAndRemoveAHallClash) {
    const THallSeason hall;
    TSeason season = hall.Make();
    ASSERT_EQ(season.ClashCount(), 0);
    // A 15 Uhr home game of Süd's 1B moved onto the date of Nord's 1A-1B.
    const TSeasonGame& nordHome = *GameOf(season, 0, s1A, s1B);
    ASSERT_EQ(nordHome.Game, 1);
    const TSeasonGame* suedHome = nullptr;
    for (const TSeasonGame& game : season.Games(1))
        if (game.Home == s1B && game.Game == 1 && !suedHome)
            suedHome = &game;
    ASSERT_TRUE(suedHome);
    const bool nordHomeAt19 =
        season.HomeGames(season.Clubs().FindClub("TV Hude"), *nordHome.Date, 2) > 0;
    TTieRecord moved = NewTieRecord(season, *suedHome);
    moved.Datum = nordHome.Date;
    moved.Uhrzeit = "14:30"; // still the 15 Uhr game time
    const TDaySerial date = *nordHome.Date;
    season.PutTie(moved);
    EXPECT_EQ(season.ClashCount(), 1);
    const auto clashes = season.Clashes();
    ASSERT_EQ(clashes.size(), 1u);
    EXPECT_EQ(clashes[0].Date, date);
    EXPECT_EQ(clashes[0].Games.size(), 2u);

    const struct {
        const char* Uhrzeit;
        TTieState State;
        int Clashes;
    } changes[] = {{"18:00", TTieState::Offen, nordHomeAt19 ? 1 : 0}, // the 19 Uhr game time
                   {"15:00", TTieState::Abgesetzt, 0},
                   {"15:00", TTieState::Offen, 1},
                   {"", TTieState::Offen, 1}};
    for (const auto& change : changes) {
        moved.Uhrzeit = change.Uhrzeit;
        moved.Status = change.State;
        season.PutTie(moved);
        EXPECT_EQ(season.ClashCount(), change.Clashes) << change.Uhrzeit;
        EXPECT_EQ(season.ClashCount(), hall.Make({moved}).ClashCount()) << "same as anew";
    }
    moved.Datum.reset();
    season.PutTie(moved);
    EXPECT_EQ(season.ClashCount(), 0);
    EXPECT_TRUE(MovedTies(season).empty());
    season.RemoveTie(moved);
    EXPECT_TRUE(season.TieRecords(1).empty());
}

// The VEVENT of a UID: its lines.
std::map<std::string, std::string> EventLines(std::string calendar, const std::string& uid) {
    for (std::size_t fold; (fold = calendar.find("\r\n ")) != std::string::npos;)
        calendar.erase(fold, 3);
    std::map<std::string, std::string> lines;
    const std::size_t start = calendar.find("UID:" + uid);
    const std::size_t end = calendar.find("END:VEVENT", start);
    for (std::size_t at = calendar.rfind("BEGIN:VEVENT", start); at < end;) {
        const std::size_t eol = calendar.find("\r\n", at);
        const std::string line = calendar.substr(at, eol - at);
        const std::size_t colon = line.find(':');
        lines[line.substr(0, colon)] = line.substr(colon + 1);
        at = eol + 2;
    }
    return lines;
}

TEST(MovedTies, CalendarExportedAgainUpdatesTheEvent) {
    const THallSeason hall;
    const TSeason before = hall.Make();
    TTieRecord tie = RecordOf(before, 0, s1A, s1B);
    const std::string uid = "2026-Nord-Spt1-1500-1A-1B@staffelplan";
    const auto first = EventLines(
        MakeCalendar(hall.Nord, csDivision, 1'800'000'000, TieLookupOf(before, 0)).Text, uid);
    ASSERT_EQ(first.at("DTSTART;TZID=Europe/Berlin"), "20260905T150000");

    tie.Datum = Day(8, 9);
    tie.Uhrzeit = "17:30";
    tie.Status = TTieState::Gespielt;
    tie.Result = {{5, 3}, {11, 7}, {386, 301}};
    const TSeason after = hall.Make({tie});
    const std::string text =
        MakeCalendar(hall.Nord, csDivision, 1'800'000'100, TieLookupOf(after, 0)).Text;
    const auto second = EventLines(text, uid);
    EXPECT_GT(std::stoll(second.at("SEQUENCE")), std::stoll(first.at("SEQUENCE")));
    EXPECT_EQ(second.at("DTSTART;TZID=Europe/Berlin"), "20260908T173000");
    EXPECT_EQ(second.at("DTEND;TZID=Europe/Berlin"), "20260908T193000");
    EXPECT_EQ(second.at("SUMMARY"), "TV Hude \xE2\x80\x93 Nord 1B (5:3)");
    EXPECT_NE(second.at("DESCRIPTION").find("Ergebnis: 5:3 11:7 386:301"), std::string::npos);

    // The club's calendar carries the same event; a cancelled tie leaves both.
    const TClubPlan plan = MakeClubPlan(after, after.Clubs().FindClub("TV Hude"));
    EXPECT_EQ(EventLines(MakeClubPlanCalendar(after, plan, 1'800'000'100).Text, uid), second);
    tie.Status = TTieState::Abgesetzt;
    tie.Result = {};
    const TSeason cancelled = hall.Make({tie});
    EXPECT_EQ(MakeCalendar(hall.Nord, csDivision, 1, TieLookupOf(cancelled, 0)).Text.find(uid),
              std::string::npos);
    const TClubPlan cancelledPlan = MakeClubPlan(cancelled, 0);
    EXPECT_EQ(MakeClubPlanCalendar(cancelled, cancelledPlan, 1).Text.find(uid), std::string::npos);
}

TEST(MovedTies, ClubPlanAndDivisionCsvUseTheTiesOwnDateAndTime) {
    const THallSeason hall;
    TTieRecord tie = RecordOf(hall.Make(), 0, s1A, s1B);
    tie.Datum = Day(8, 9);
    tie.Uhrzeit = "17:30";
    tie.Status = TTieState::KampflosGast;
    const TSeason season = hall.Make({tie});
    const TClubPlan plan = MakeClubPlan(season, season.Clubs().FindClub("TV Hude"));
    const std::string csv = MakeClubPlanCsv(season, plan, TRegionalSettings::German());
    EXPECT_NE(csv.find("\r\n08.09.2026;17:30;Nord 2026;1;TV Hude;Nord 1B;ja;8:0 kampflos;ja\r\n"),
              std::string::npos)
        << csv;
    const std::string division =
        MakeFixtureCsv(hall.Nord, TRegionalSettings::German(), TieLookupOf(season, 0));
    EXPECT_NE(division.find("\r\n1;08.09.2026;17:30;TV Hude;Nord 1B\r\n"), std::string::npos)
        << division;
}

TEST(TieLists, MovedAndWithoutResultInTimeOrder) {
    const THallSeason hall;
    const TSeason plain = hall.Make();
    TTieRecord late = RecordOf(plain, 1, s1B, s1A);
    late.Datum = Day(20, 12);
    TTieRecord early = RecordOf(plain, 0, s2A, s2B);
    early.Uhrzeit = "20:00";
    TTieRecord played = RecordOf(plain, 0, s1A, s1B);
    played.Status = TTieState::Gespielt;
    played.Result = {{4, 4}, {9, 9}, {}};
    const TSeason season = hall.Make({late, early, played});
    const auto moved = MovedTies(season);
    ASSERT_EQ(moved.size(), 2u);
    EXPECT_EQ(season.Game(moved[0]).HomeTeam, "Nord 2A");
    EXPECT_EQ(season.Game(moved[1]).HomeTeam, "TV Hude 2");
    // Before 06.09.: Nord's match day 1 (05.09.) but 1A-1B; Süd's day 1 is today.
    const auto missing = TiesWithoutResult(season, Day(6, 9));
    const auto onFirstDay = std::count_if(plain.Games(0).begin(), plain.Games(0).end(),
                                          [](const TSeasonGame& g) { return g.Date == Day(5, 9); });
    EXPECT_EQ(static_cast<long>(missing.size()), onFirstDay - 1);
    for (const TGameRef& ref : missing)
        EXPECT_EQ(*season.Game(ref).Date, Day(5, 9));
}

TEST(TieRecords, ThoseThatLostTheirTie) {
    const THallSeason hall;
    const TSeason plain = hall.Make();
    TTieRecord noGame = RecordOf(plain, 0, s1A, s1B);
    noGame.Gast = "Niemand";
    TTieRecord noClass = RecordOf(plain, 0, s1A, s1B);
    noClass.Klasse = "Kreisliga";
    TTieRecord fine = RecordOf(plain, 0, s1A, s1B);
    fine.Heim = "tv  HUDE"; // found folded
    TSeason season = hall.Make({noGame, noClass, fine});
    const auto orphans = season.OrphanTies();
    ASSERT_EQ(orphans.size(), 2u);
    EXPECT_EQ(orphans[0].Klasse, "Kreisliga");
    EXPECT_EQ(orphans[1].Gast, "Niemand");
    EXPECT_TRUE(season.Tie(*GameOf(season, 0, s1A, s1B)));

    // A renamed class loses its records; the old name back finds them again.
    TDivisionValues renamed = hall.Nord;
    renamed.Klasse = "Nordost";
    season.ReplaceDivision(0, renamed);
    EXPECT_EQ(season.OrphanTies().size(), 3u);
    season.ReplaceDivision(0, hall.Nord);
    EXPECT_EQ(season.OrphanTies().size(), 2u);
    EXPECT_TRUE(season.Tie(*GameOf(season, 0, s1A, s1B)));
}

} // namespace

namespace {

TEST(TieKeys, FoldedWithoutMakingTheFoldedNames) {
    const char* names[] = {"TV Hude", "tv  hude",  " TV HUDE ", "TVHude", "TV Hude 2", "\xC4gir",
                           "\xE4gir", "TV Hude\t", "",          "  ",     "TV  Hud"};
    for (const char* a : names)
        for (const char* b : names)
            EXPECT_EQ(SameFoldedName(a, b), FoldClubName(a) == FoldClubName(b))
                << "\"" << a << "\" \"" << b << "\"";
}

} // namespace

namespace {

// A record names its tie by the ordered pair of teams: each pair must meet
// once, and every pair meets, so that swapped slots keep their records.
TEST(TieKeys, EachOrderedPairMeetsOnceInBothLayouts) {
    for (const bool ten : {false, true}) {
        const TFixtureLayout& layout = LayoutFor(ten);
        std::set<std::pair<TSlotName, TSlotName>> pairs;
        for (const TGame& game : GamesOf(layout))
            EXPECT_TRUE(pairs.insert({game.Home, game.Away}).second)
                << (ten ? "10: " : "8: ") << SlotFieldName(game.Home) << "-"
                << SlotFieldName(game.Away);
        const std::size_t teams = SlotsUsedBy(layout).size();
        EXPECT_EQ(pairs.size(), teams * (teams - 1)) << (ten ? "10" : "8");
    }
}

} // namespace

namespace {

// The slot proposals count a season's clashes as the season does, with
// moved and cancelled ties.
TEST(MovedTies, PlacementCountsThemAsTheSeason) {
    TSeasonSpec spec;
    spec.Divisions = 20;
    spec.Clubs = 20;
    TGeneratedSeason generated = GenerateSeason(spec);
    for (TDivisionValues& division : generated.Divisions)
        division.Dates = generated.Divisions[division.TenTeams ? spec.Divisions / 2 : 0].Dates;
    std::vector<TTieRecord> ties = PlayedTies(generated, 3);
    for (std::size_t t = 0; t < ties.size(); t += 7) {
        ties[t].Status = TTieState::Abgesetzt;
        ties[t].Result = {};
    }
    const TSeason season(generated.Divisions, TClubDirectory(generated.Clubs), ties);
    const TSeason layoutOnly(generated.Divisions, TClubDirectory(generated.Clubs));
    ASSERT_NE(season.ClashCount(), layoutOnly.ClashCount());
    for (int d = 0; d < season.DivisionCount(); d += 3)
        EXPECT_EQ(PlacementClashCount(MakePlacementContext(season, d), IdentityPlacement()),
                  season.ClashCount())
            << "division " << d;
}

} // namespace
