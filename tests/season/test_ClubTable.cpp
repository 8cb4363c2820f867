// The club table read into plain values: bad values reported, never fatal.
#include "data/Records.h"
#include "season/BlockedDates.h"
#include "season/ClubTable.h"

#include <gtest/gtest.h>

namespace {

TDaySerial Day(unsigned day, unsigned month, int year = 2026) {
    return *DayFromCivil(year, month, day);
}

TEST(ClubTable, BlockedDatesAsTyped) {
    TRegionalSettings us = TRegionalSettings::German();
    us.ShortDateFormat = "M/d/yyyy";
    struct {
        const char* Text;
        const TRegionalSettings& Settings;
        std::vector<TDaySerial> Days;
        std::vector<std::string> Bad;
    } const cases[] = {
        {"", TRegionalSettings::German(), {}, {}},
        {"26.09.2026", TRegionalSettings::German(), {Day(26, 9)}, {}},
        {"26.9.26; 3.10.2026;;", TRegionalSettings::German(), {Day(26, 9), Day(3, 10)}, {}},
        {"03.10.2026 26.09.2026  26.09.2026",
         TRegionalSettings::German(),
         {Day(26, 9), Day(3, 10)},
         {}},
        {"26.09.2026; 31.02.2026; Ostern",
         TRegionalSettings::German(),
         {Day(26, 9)},
         {"31.02.2026", "Ostern"}},
        {"9/26/2026; 03.10.2026", us, {Day(26, 9), Day(3, 10)}, {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> bad;
        EXPECT_EQ(ParseBlockedDates(c.Text, c.Settings, bad), c.Days) << c.Text;
        EXPECT_EQ(bad, c.Bad) << c.Text;
    }
}

TEST(ClubTable, RowsWithBadValuesAreReportedAndKeptWherePossible) {
    // As a file may hold it: no field required.
    TRecordTable table("t_vereine");
    for (const TRecordFieldSpec& field : VereineRecordFields())
        table.DefineField(std::string(field.Name), field.Type, field.Width, false);
    table.CreateEmpty();
    table.OnNewRecord = t_vereineNewRecord;
    const auto add = [&](const char* name, std::optional<int> capacity, const char* blocked) {
        table.Append();
        table.Field("Verein").SetAsText(name);
        if (capacity)
            table.Field("Kapazitaet").SetAsInteger(*capacity);
        else
            table.Field("Kapazitaet").Clear();
        table.Field("Sperrtermine").SetAsText(blocked);
        table.Post();
    };
    add("TV Hude", std::nullopt, "26.09.2026");
    add("SC Nord", 0, "");
    add("BC Wiesmoor", 12, "1.10.; 03.10.2026");
    add("tv  HUDE", 3, "");
    add("  ", 2, "");

    const TClubTableRead read = ClubsFromTable(table);
    ASSERT_EQ(read.Clubs.size(), 3u);
    EXPECT_EQ(read.Clubs[0].Name, "TV Hude");
    EXPECT_EQ(read.Clubs[0].Capacity, 1);
    EXPECT_EQ(read.Clubs[0].Blocked, std::vector<TDaySerial>{Day(26, 9)});
    EXPECT_EQ(read.Clubs[1].Capacity, 1);
    EXPECT_EQ(read.Clubs[2].Capacity, 9);
    EXPECT_EQ(read.Clubs[2].Blocked, std::vector<TDaySerial>{Day(3, 10)});
    const std::vector<std::string> problems = {
        "Verein \xE2\x80\x9ESC Nord\xE2\x80\x9C: Kapazit\xC3\xA4t 0 liegt nicht zwischen 1 und 9; "
        "es gilt 1.",
        "Verein \xE2\x80\x9E"
        "BC Wiesmoor\xE2\x80\x9C: Kapazit\xC3\xA4t 12 liegt nicht zwischen 1 und "
        "9; es gilt 9.",
        "Verein \xE2\x80\x9E"
        "BC Wiesmoor\xE2\x80\x9C: Sperrtermin \xE2\x80\x9E"
        "1.10.\xE2\x80\x9C ist "
        "kein Datum und bleibt unbeachtet.",
        "Verein \xE2\x80\x9Etv  HUDE\xE2\x80\x9C steht mehrfach in der Tabelle; es gilt der erste "
        "Eintrag.",
        "Verein in Zeile 5 hat keinen Namen und bleibt unbeachtet.",
    };
    EXPECT_EQ(read.Problems, problems);
}

TEST(ClubTable, EveryReaderTakesTheStoredFormWhateverItsSettings) {
    TRegionalSettings british = TRegionalSettings::German();
    british.ShortDateFormat = "dd/MM/yyyy";
    TRegionalSettings us = british;
    us.ShortDateFormat = "M/d/yyyy";
    struct {
        const char* Blocked;
        const TRegionalSettings& Settings;
        std::vector<TDaySerial> Days;
        std::size_t Problems;
    } const cases[] = {
        {"2026-03-10; 2026-12-24", TRegionalSettings::German(), {Day(10, 3), Day(24, 12)}, 0},
        {"2026-03-10; 2026-12-24", british, {Day(10, 3), Day(24, 12)}, 0},
        {"2026-03-10; 2026-12-24", us, {Day(10, 3), Day(24, 12)}, 0},
        // As earlier versions wrote under German settings.
        {"10.03.2026; 24.12.2026", us, {Day(10, 3), Day(24, 12)}, 0},
        // Under English settings, read as the German companion reads it.
        {"10/03/2026", TRegionalSettings::German(), {}, 1},
    };
    for (const auto& c : cases) {
        TRecordTable table("t_vereine", c.Settings);
        DefineFields(table, VereineRecordFields());
        table.CreateEmpty();
        table.OnNewRecord = t_vereineNewRecord;
        table.Append();
        table.Field("Verein").SetAsText("TV Hude");
        table.Field("Sperrtermine").SetAsText(c.Blocked);
        table.Post();
        const TClubTableRead read = ClubsFromTable(table);
        ASSERT_EQ(read.Clubs.size(), 1u) << c.Blocked;
        EXPECT_EQ(read.Clubs[0].Blocked, c.Days)
            << c.Blocked << " under " << c.Settings.ShortDateFormat;
        EXPECT_EQ(read.Problems.size(), c.Problems) << c.Blocked;
    }
}

TEST(ClubTable, ATableWithoutTheNameFieldSaysSo) {
    TRecordTable table("t_vereine");
    table.DefineField("Name", ctText, 20, false);
    table.CreateEmpty();
    const TClubTableRead read = ClubsFromTable(table);
    EXPECT_TRUE(read.Clubs.empty());
    ASSERT_EQ(read.Problems.size(), 1u);
    EXPECT_NE(read.Problems[0].find("Verein"), std::string::npos);
}

} // namespace
