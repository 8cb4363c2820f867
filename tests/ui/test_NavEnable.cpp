#include "FakeMessageBoxes.h"
#include "test_DBTables.h"
#include "ui/controls/MYDBNav.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// Enabled states of the ten buttons as a string, "1" on, "0" off, in the
// order First Prior Next Last Insert Delete Edit Post Cancel Refresh.
std::string States(const TMYDBNav& nav) {
    std::string s;
    for (int i = 0; i < MNavButtonCount; ++i)
        s += nav.Button(static_cast<TMNavigateBtn>(i))->isEnabled() ? '1' : '0';
    return s;
}

struct TEnableCase {
    const char* Situation;
    std::vector<int> Years;
    std::function<void(TRecordTable&)> Bring;
    const char* Want;
};

class NavEnableTest : public ::testing::TestWithParam<TEnableCase> {};

TEST_P(NavEnableTest, FollowsTheTable) {
    const TEnableCase& c = GetParam();
    TTestTable t(c.Years);
    TMYDBNav nav;
    nav.SetDataSource(&t.Source);
    c.Bring(t.Table);
    EXPECT_EQ(States(nav), c.Want) << c.Situation;
}

INSTANTIATE_TEST_SUITE_P(
    Situations, NavEnableTest,
    ::testing::Values(
        TEnableCase{"browse, empty table", {}, [](TRecordTable&) {}, "0000100011"},
        TEnableCase{"browse, Bof on the first row",
                    {1, 2, 3},
                    [](TRecordTable& t) { t.First(); },
                    "0011111011"},
        TEnableCase{"browse, Eof after Next on the only row",
                    {1},
                    [](TRecordTable& t) {
                        t.First();
                        t.Next();
                    },
                    "1100111011"},
        TEnableCase{"browse, Eof", {1, 2, 3}, [](TRecordTable& t) { t.Last(); }, "1100111011"},
        TEnableCase{"browse, neither",
                    {1, 2, 3},
                    [](TRecordTable& t) {
                        t.First();
                        t.Next();
                    },
                    "1111111011"},
        TEnableCase{"edit", {1, 2, 3}, [](TRecordTable& t) { t.Edit(); }, "0000000111"},
        TEnableCase{"insert", {}, [](TRecordTable& t) { t.Insert(); }, "0000000111"},
        TEnableCase{"edit, then post",
                    {1, 2},
                    [](TRecordTable& t) {
                        t.Edit();
                        t.Field("Klasse").SetAsText("X");
                        t.Post();
                    },
                    "1111111011"},
        TEnableCase{"insert, then cancel on an empty table",
                    {},
                    [](TRecordTable& t) {
                        t.Insert();
                        t.Cancel();
                    },
                    "0000100011"},
        TEnableCase{"closed table", {1, 2}, [](TRecordTable& t) { t.Close(); }, "0000000000"},
        TEnableCase{"closed and opened again",
                    {1, 2},
                    [](TRecordTable& t) {
                        t.Close();
                        t.Open();
                    },
                    "0011111011"}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(NavEnableTest, NoDataSourceDisablesEverything) {
    TMYDBNav nav;
    EXPECT_EQ(States(nav), "1111111111"); // as created, before any data source
    TTestTable t({1, 2});
    nav.SetDataSource(&t.Source);
    EXPECT_EQ(States(nav), "0011111011");
    nav.SetDataSource(nullptr);
    EXPECT_EQ(States(nav), "0000000000");
}

TEST(NavEnableTest, DestroyedDataSourceIsLetGo) {
    TMYDBNav nav;
    TRecordTable table("t");
    table.DefineField("Jahr", ctInteger, 0, true);
    table.CreateEmpty();
    {
        TDataSource source;
        source.SetDataSet(&table);
        nav.SetDataSource(&source);
        EXPECT_EQ(States(nav), "0000100011");
    }
    EXPECT_EQ(nav.DataSource(), nullptr);
    EXPECT_EQ(States(nav), "0000000000");
    table.Insert(); // no notice reaches the navigator any more
    EXPECT_EQ(States(nav), "0000000000");
}

TEST(NavEnableTest, DisabledNavigatorDisablesAllButtons) {
    TTestTable t({1, 2});
    TMYDBNav nav;
    nav.SetDataSource(&t.Source);
    nav.setEnabled(false);
    EXPECT_EQ(States(nav), "0000000000");
    t.Table.Next(); // the rules still hold the buttons off
    EXPECT_EQ(States(nav), "0000000000");
    nav.setEnabled(true);
    EXPECT_EQ(States(nav), "1111111011");
}

TEST(NavEnableTest, HiddenButtonsFollowTheSameRules) {
    TTestTable t({1, 2});
    TMYDBNav nav;
    nav.SetVisibleButtons(TMButtonSet::All().Exclude(nbRefresh).Exclude(nbFirst));
    nav.SetDataSource(&t.Source);
    t.Table.Edit();
    EXPECT_EQ(States(nav), "0000000111");
    EXPECT_FALSE(nav.Button(nbRefresh)->isVisibleTo(&nav));
}

TEST(NavEnableTest, CancelStaysEnabledWhenNothingIsPending) {
    TTestTable t({1});
    TMYDBNav nav;
    nav.SetDataSource(&t.Source);
    TFakeMessageBoxes boxes;
    nav.ClickButton(nbCancel);
    EXPECT_TRUE(nav.Button(nbCancel)->isEnabled());
    EXPECT_EQ(t.Table.State(), tsBrowse);
}

} // namespace
