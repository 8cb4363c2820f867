// The club file as the store's third data file: absent until a club is
// saved, kept aside when unloadable, and every save told to the listeners.
#include "data/Store.h"
#include "test_StoreSupport.h"

#include <gtest/gtest.h>

namespace {

using StoreClubsTest = TStoreFolderTest;

void AddClub(TRecordTable& clubs, const char* name) {
    clubs.Append();
    clubs.Field("Verein").SetAsText(name);
    clubs.Post();
}

TEST_F(StoreClubsTest, ClubFileOnlyOnceThereIsAClub) {
    std::vector<std::string> told;
    store_.AfterSave.push_back([&](const std::string& name) { told.push_back(name); });
    store_.FormCreate();
    EXPECT_EQ(store_.t_vereine().State(), tsBrowse);
    EXPECT_NE(store_.t_vereine().FindField("Sperrtermine"), nullptr);

    store_.SaveVereine();        // nothing in it
    store_.t_vereine().Append(); // untouched
    store_.FormDestroy();
    EXPECT_EQ(FolderEntries(folder_.Path()),
              (std::vector<std::string>{"Ligatafel.xml", "Spieltage.xml"}));

    AddClub(store_.t_vereine(), "TV Hude");
    EXPECT_EQ(store_.t_vereine().Field("Kapazitaet").AsInteger(), 1);
    told.clear();
    store_.SaveVereine();
    EXPECT_EQ(told, std::vector<std::string>{VereineFileName});
    store_.SaveStaffel();
    EXPECT_EQ(told, (std::vector<std::string>{VereineFileName, StaffelFileName}));

    TStore next(TRegionalSettings::German(), At140509);
    next.FormCreate();
    ASSERT_EQ(next.t_vereine().DisplayCount(), 1);
    EXPECT_EQ(next.t_vereine().Field("Verein").AsText(), "TV Hude");
    EXPECT_EQ(next.DataFileNames()[2], VereineFileName);
}

TEST_F(StoreClubsTest, UnloadableClubFileIsKeptAndReplacedByAnEmptyOne) {
    WriteBytes(File(VereineFileName), "<DATAPACKET>");
    store_.FormCreate();
    const auto notice = store_.TakeStartupNotice();
    ASSERT_TRUE(notice);
    EXPECT_NE(notice->find("Vereine.xml"), std::string::npos) << *notice;
    EXPECT_EQ(store_.t_vereine().DisplayCount(), 0);
    const auto entries = FolderEntries(folder_.Path());
    EXPECT_EQ(entries.size(), 4u);
    EXPECT_NE(ReadBytes(File(VereineFileName)), "<DATAPACKET>");
}

} // namespace
