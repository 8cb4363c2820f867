// Pages of every division, and the division read from the current row.
#include "FakeMeasure.h"
#include "data/StaffelError.h"
#include "report/AllDivisionPages.h"
#include "report/DivisionValues.h"

#include <gtest/gtest.h>

namespace {

const TDaySerial kOutputDay = *DayFromCivil(2026, 12, 9);

void AppendDivision(TRecordTable& table, const std::string& klasse, bool tenTeams) {
    table.Append();
    table.Field("Klasse").SetAsText(klasse);
    table.Field("Jahr").SetAsInteger(2026);
    table.Field("10Klasse").SetAsBoolean(tenTeams);
    table.Field("1A").SetAsText(klasse + " 1A");
    table.Field("4Adat").SetAsDateTime(*DayFromCivil(2026, 10, 3));
    table.Post();
}

bool HasText(const TReportPage& page, const std::string& text) {
    for (const TPageItem& item : page.Items)
        if (item.Kind == piText && item.Text == text)
            return true;
    return false;
}

class AllDivisionPages : public ::testing::Test {
protected:
    void SetUp() override {
        DefineFields(table, StaffelRecordFields());
        table.CreateEmpty();
        table.OnNewRecord = t_staffelNewRecord;
        AppendDivision(table, "Kreisliga", false);
        AppendDivision(table, "Bezirksliga", true);
        AppendDivision(table, "Landesliga", false);
    }
    TRecordTable table{"t_staffel"};
    TFakeMeasure measure;
};

TEST_F(AllDivisionPages, EveryDivisionWithItsLayoutInTableOrder) {
    table.MoveTo(1);
    table.Edit();
    table.Field("Klasse").SetAsText("Bezirksoberliga");
    const auto sets = GenerateAllDivisionPages(table, kOutputDay, measure);

    ASSERT_EQ(sets.size(), 3u);
    EXPECT_EQ(sets[0].Pages.size(), 1u);
    EXPECT_EQ(sets[1].Pages.size(), 2u);
    EXPECT_EQ(sets[2].Pages.size(), 1u);
    EXPECT_EQ(sets[1].Title, "Bezirksoberliga 2026");
    EXPECT_TRUE(HasText(sets[0].Pages[0], "Kreisliga 1A"));
    EXPECT_TRUE(HasText(sets[1].Pages[0], "Bezirksoberliga"));
    EXPECT_TRUE(HasText(sets[1].Pages[0], "03.10.2026")); // 4A only in Klasse10
    EXPECT_FALSE(HasText(sets[2].Pages[0], "03.10.2026"));
    // The pending edit was posted; the table stands where it stood.
    EXPECT_EQ(table.State(), tsBrowse);
    EXPECT_EQ(table.DisplayIndex(), 1);
    EXPECT_EQ(table.Field("Klasse").AsText(), "Bezirksoberliga");
}

TEST_F(AllDivisionPages, FailingPostStopsBeforeAnyPage) {
    table.MoveTo(2);
    table.Edit();
    table.Field("Klasse").Clear();
    EXPECT_THROW(GenerateAllDivisionPages(table, kOutputDay, measure), TStaffelError);
    EXPECT_EQ(table.State(), tsEdit);
}

TEST_F(AllDivisionPages, DivisionFromCurrentRow) {
    table.MoveTo(1);
    const TDivisionValues division = DivisionFromCurrentRow(table);
    EXPECT_EQ(division.Klasse, "Bezirksliga");
    EXPECT_EQ(division.Jahr, 2026);
    EXPECT_TRUE(division.TenTeams);
    EXPECT_EQ(division.Team(TSlotName::s1A), "Bezirksliga 1A");
    EXPECT_EQ(division.Ueberschrift, "Badminton");
    EXPECT_EQ(division.Date(TSpieltagKey::k4A), DayFromCivil(2026, 10, 3));
    EXPECT_FALSE(division.Date(TSpieltagKey::k1));

    TRecordTable empty("t_staffel");
    DefineFields(empty, StaffelRecordFields());
    empty.CreateEmpty();
    EXPECT_THROW(DivisionFromCurrentRow(empty), TStaffelError);
    EXPECT_TRUE(GenerateAllDivisionPages(empty, kOutputDay, measure).empty());
}

} // namespace
