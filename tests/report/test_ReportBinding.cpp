// The binding of a run to t_staffel: one reading, links off while it lasts,
// and the table back on the remembered row afterwards.
#include "data/Records.h"
#include "data/StaffelError.h"
#include "report/ReportBinding.h"

#include <gtest/gtest.h>

namespace {

class TCountingLink : public TTableLink {
public:
    void Notify(TTableNotice, TField*) override { ++Notices; }
    int Notices = 0;
};

void DefineStaffel(TRecordTable& table) {
    DefineFields(table, StaffelRecordFields());
    table.CreateEmpty();
    table.OnNewRecord = t_staffelNewRecord;
}

void AppendDivision(TRecordTable& table, const std::string& klasse) {
    table.Append();
    table.Field("Klasse").SetAsText(klasse);
    table.Field("Jahr").SetAsInteger(2009);
    table.Field("10Klasse").SetAsBoolean(false);
    table.Post();
}

struct TBindingFixture : ::testing::Test {
    TBindingFixture() {
        DefineStaffel(table);
        for (const char* klasse : {"A-Klasse", "B-Klasse", "C-Klasse"})
            AppendDivision(table, klasse);
        link.SetTable(&table);
    }
    std::string Current() { return table.Field("Klasse").AsText(); }

    TRecordTable table{"t_staffel"};
    TCountingLink link;
};

TEST_F(TBindingFixture, ReadsOnceWithLinksOffAndReturnsToTheRow) {
    table.First();
    table.Next();
    TReportBinding binding(table, Klasse8Layout(), TRegionalSettings::German());
    binding.Begin();
    EXPECT_EQ(binding.Text("klasse"), "B-Klasse");
    EXPECT_EQ(binding.Text("JAHR"), "2009");
    EXPECT_EQ(binding.Text("1a"), "");
    table.Next(); // the reading stays as it was; links hear nothing
    EXPECT_EQ(binding.Text("Klasse"), "B-Klasse");
    const int before = link.Notices;
    binding.End();
    EXPECT_GT(link.Notices, before) << "links are told of the return";
    EXPECT_EQ(table.State(), tsBrowse);
    EXPECT_EQ(Current(), "B-Klasse");
    binding.End(); // a second end changes nothing
    EXPECT_EQ(Current(), "B-Klasse");
}

TEST_F(TBindingFixture, OpenEditPrintsEditedValuesAndIsPosted) {
    table.First();
    table.Next();
    table.Edit();
    table.Field("Mannschaft").SetAsText("SG Edit");
    TReportBinding binding(table, Klasse8Layout(), TRegionalSettings::German());
    binding.Begin();
    EXPECT_EQ(binding.Text("Mannschaft"), "SG Edit");
    binding.End();
    EXPECT_EQ(table.State(), tsBrowse);
    EXPECT_EQ(Current(), "B-Klasse");
    EXPECT_EQ(table.Field("Mannschaft").AsText(), "SG Edit");
}

TEST_F(TBindingFixture, ByePrintsAsSpielfreiInSlotsOnly) {
    table.First();
    table.Edit();
    table.Field("1A").SetAsText(" SpielFREI ");
    table.Field("Mannschaft").SetAsText("Spielfrei");
    TReportBinding binding(table, Klasse8Layout(), TRegionalSettings::German());
    binding.Begin();
    EXPECT_EQ(binding.Text("1A"), "spielfrei");
    EXPECT_EQ(binding.Text("Mannschaft"), "Spielfrei");
    binding.End();
}

TEST_F(TBindingFixture, InsertedRowEndsOnTheFirstRow) {
    table.Last();
    table.Insert();
    table.Field("Klasse").SetAsText("Neu");
    table.Field("Jahr").SetAsInteger(2010);
    TReportBinding binding(table, Klasse8Layout(), TRegionalSettings::German());
    binding.Begin();
    EXPECT_EQ(binding.Text("Klasse"), "Neu");
    EXPECT_EQ(binding.Text("Ueberschrift"), "Badminton");
    binding.End();
    EXPECT_EQ(table.State(), tsBrowse);
    table.First();
    EXPECT_EQ(table.DisplayIndex(), 0);
}

TEST_F(TBindingFixture, FailingPostLeavesTheEditAndLinksOn) {
    table.First();
    table.Edit();
    table.Field("Klasse").Clear(); // required
    TReportBinding binding(table, Klasse8Layout(), TRegionalSettings::German());
    binding.Begin();
    EXPECT_THROW(binding.End(), TStaffelError);
    EXPECT_EQ(table.State(), tsEdit);
    const int before = link.Notices;
    table.Field("Klasse").SetAsText("Wieder da");
    EXPECT_GT(link.Notices, before) << "links were resumed before the post";
}

TEST_F(TBindingFixture, DestructorResumesLinksWithoutEnd) {
    {
        TReportBinding binding(table, Klasse8Layout(), TRegionalSettings::German());
        binding.Begin();
    }
    const int before = link.Notices;
    table.Next();
    EXPECT_GT(link.Notices, before);
}

TEST(ReportBindingMessage, FormatsTheTypeMismatch) {
    EXPECT_EQ(FieldTypeMismatchMessage("DataView1", "1dat", dtDate, dtBoolean),
              "Field DataView1:1dat.  Datatype expected: dtDate  Datatype found: dtBoolean");
}

} // namespace
