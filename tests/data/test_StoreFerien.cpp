// The holiday file as one more optional data file: absent until a holiday
// is saved, then loaded at the next start and told to the listeners.
#include "data/Dates.h"
#include "data/Store.h"
#include "test_StoreSupport.h"

#include <gtest/gtest.h>

namespace {

using StoreFerienTest = TStoreFolderTest;

TEST_F(StoreFerienTest, HolidayFileOnlyOnceThereIsAHoliday) {
    std::vector<std::string> told;
    store_.AfterSave.push_back([&](const std::string& name) { told.push_back(name); });
    store_.FormCreate();
    store_.SaveFerien();
    store_.FormDestroy();
    EXPECT_EQ(FolderEntries(folder_.Path()),
              (std::vector<std::string>{"Ligatafel.xml", "Spieltage.xml"}));

    TRecordTable& ferien = store_.t_ferien();
    ferien.Append();
    ferien.Field("Von").SetAsDateTime(*DayFromCivil(2026, 10, 12));
    ferien.Field("Bis").SetAsDateTime(*DayFromCivil(2026, 10, 24));
    ferien.Field("Name").SetAsText("Herbstferien");
    ferien.Post();
    told.clear();
    store_.SaveFerien();
    EXPECT_EQ(told, std::vector<std::string>{FerienFileName});

    TStore next(TRegionalSettings::German(), At140509);
    next.FormCreate();
    ASSERT_EQ(next.t_ferien().DisplayCount(), 1);
    EXPECT_EQ(next.t_ferien().Field("Name").AsText(), "Herbstferien");
    EXPECT_EQ(next.t_ferien().Field("Bis").AsDateTime(), *DayFromCivil(2026, 10, 24));
}

} // namespace
