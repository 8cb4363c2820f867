// The CSV export: one line per game, byte-order mark, quoting.
#include "CrlfLines.h"
#include "DivisionSamples.h"
#include "report/CsvExport.h"

#include <gtest/gtest.h>

namespace {

using enum TSlotName;
using enum TSpieltagKey;

TEST(CsvExport, OneLinePerGameAfterTheHeader) {
    for (bool tenTeams : {false, true}) {
        TDivisionValues division = SampleDivision(tenTeams);
        SetDate(division, k2, std::nullopt);
        const std::string csv = MakeFixtureCsv(division, TRegionalSettings::German());
        ASSERT_EQ(csv.rfind("\xEF\xBB\xBF", 0), 0u) << "byte-order mark";
        const auto lines = CrlfLines(csv.substr(3));
        ASSERT_EQ(lines.size(), tenTeams ? 91u : 57u) << csv;
        EXPECT_EQ(lines[0], "Spieltag;Datum;Uhrzeit;Heim;Gast");
        EXPECT_EQ(lines[1], tenTeams ? "1;05.09.2026;15:00;Team 1A;Team 3A"
                                     : "1;05.09.2026;15:00;Team 1A;Team 1B");
        // The first game of match day 2 has no date but is listed.
        const std::size_t day2 = tenTeams ? 10 : 5;
        EXPECT_EQ(lines[day2], tenTeams ? "2;;15:00;Team 1A;Team 4A" : "2;;15:00;Team 2B;Team 3B");
        EXPECT_EQ(csv.substr(csv.size() - 2), "\r\n");
    }
}

TEST(CsvExport, FieldsAreQuotedWhenTheyMustBe) {
    struct {
        std::string Field, Expected;
    } const cases[] = {
        {"SG Nord", "SG Nord"},
        {"", ""},
        {"A;B", "\"A;B\""},
        {"Der \"Club\"", "\"Der \"\"Club\"\"\""},
        {"Zeile\r\nzwei", "\"Zeile\r\nzwei\""},
        {"a,b", "a,b"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CsvField(c.Field), c.Expected) << c.Field;

    TDivisionValues division = SampleDivision(false);
    SetTeam(division, s1A, "TV \"Blau\"; Wei\xDF"); // Windows-1252 ß
    SetTeam(division, s1B, "");
    const auto lines = CrlfLines(MakeFixtureCsv(division, TRegionalSettings::German()).substr(3));
    EXPECT_EQ(lines[1], "1;05.09.2026;15:00;\"TV \"\"Blau\"\"; Wei\xC3\x9F\";Platz 1B");
}

TEST(CsvExport, CellsASpreadsheetWouldRunAsAFormulaGetAnApostrophe) {
    struct {
        std::string Field, Expected;
    } const cases[] = {
        {"=HYPERLINK(\"http://x\",\"x\")", "\"'=HYPERLINK(\"\"http://x\"\",\"\"x\"\")\""},
        {"+49 30 1234", "'+49 30 1234"},
        {"-SG Nord", "'-SG Nord"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"\tTV", "'\tTV"},
        {"\rTV", "\"'\rTV\""},
        {"=A;B", "\"'=A;B\""},
        {"TV=1", "TV=1"},
        {" =1", " =1"},
        {"'=1", "'=1"},
        {"\nTV", "\"\nTV\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CsvField(c.Field), c.Expected) << c.Field;

    TDivisionValues division = SampleDivision(false);
    SetTeam(division, s1A, "=1+1");
    SetTeam(division, s1B, "@SG");
    const auto lines = CrlfLines(MakeFixtureCsv(division, TRegionalSettings::German()).substr(3));
    EXPECT_EQ(lines[1], "1;05.09.2026;15:00;'=1+1;'@SG");
}

} // namespace
