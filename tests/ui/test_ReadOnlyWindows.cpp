// A read-only start (another copy writes the folder, or nobody may): every
// control that would change data is off, the title says so, printing and
// moving work, and the end writes nothing.
#include "test_StaffelplanFixture.h"

#include "ui/controls/DBCheckBox.h"
#include "ui/controls/DataSource.h"
#include "ui/windows/Spieltage.h"

#include <QPushButton>
#include <QTest>

namespace {

class ReadOnlyTest : public StaffelplanTest {
protected:
    void SetUp() override {
        Open();
        for (const char* klasse : {"Bezirksliga", "Landesliga"}) {
            TRecordTable& t = window->t_staffel();
            t.Append();
            t.Field("Jahr").SetAsInteger(2009);
            t.Field("Klasse").SetAsText(klasse);
            t.Post();
        }
        window->Store.SaveStaffel();
        window.reset();
        divisions = TScratchFolder::Read(StaffelFileName);
        calendars = TScratchFolder::Read(SpieltageFileName);
    }

    std::vector<bool> NavigatorEnabled(TMYDBNav* nav) {
        std::vector<bool> enabled;
        for (TMNavigateBtn b : {nbFirst, nbNext, nbInsert, nbDelete, nbEdit, nbPost, nbCancel})
            enabled.push_back(nav->Button(b)->isEnabled());
        return enabled;
    }

    std::string divisions, calendars;
};

TEST_F(ReadOnlyTest, ControlsTitleAndButtonsInEachMode) {
    using V = std::vector<bool>;
    struct {
        bool ReadOnly;
        const char* WantTitle;
        V WantNavigator; // first, next, insert, delete, edit, post, cancel
        bool WantDataButtons;
    } cases[] = {
        {false, "Staffelplan", V{false, true, true, true, true, false, true}, true},
        {true, "Staffelplan (schreibgeschützt)", V{false, true, false, false, false, false, true},
         false},
    };
    for (const auto& c : cases) {
        Open(c.ReadOnly);
        SCOPED_TRACE(c.WantTitle);
        EXPECT_EQ(window->windowTitle().toStdString(), c.WantTitle);
        EXPECT_EQ(window->ReadOnly(), c.ReadOnly);
        EXPECT_EQ(NavigatorEnabled(window->MYDBNav1), c.WantNavigator);
        EXPECT_EQ(window->Button3->isEnabled(), c.WantDataButtons); // copy
        EXPECT_EQ(window->Button6->isEnabled(), c.WantDataButtons); // assign
        EXPECT_TRUE(window->Button1->isEnabled());                  // print
        EXPECT_TRUE(window->Button5->isEnabled());                  // calendars, to look at
        EXPECT_TRUE(EditorsLocked());
        EXPECT_FALSE(window->DBCheckBox1->isEnabled());
        // Moving keeps the navigator's editing buttons as the mode says.
        Press(nbNext);
        EXPECT_EQ(window->MYDBNav1->Button(nbEdit)->isEnabled(), !c.ReadOnly);
        window.reset();
    }
}

TEST_F(ReadOnlyTest, NothingStartsAnEditAndTheEndWritesNothing) {
    Open(true);
    for (TMNavigateBtn b : {nbInsert, nbEdit, nbDelete, nbPost}) {
        Press(b);
        EXPECT_EQ(window->t_staffel().State(), tsBrowse) << "button " << b;
        EXPECT_TRUE(EditorsLocked()) << "button " << b;
    }
    EXPECT_FALSE(window->d_staffel->Edit());
    EXPECT_FALSE(window->d_spieltage->Edit());
    EXPECT_EQ(window->t_staffel().DisplayCount(), 2);
    QTest::mouseClick(window->Button1, Qt::LeftButton);
    EXPECT_EQ(layouts, std::vector<std::string>{"Klasse8"});
    window.reset();
    EXPECT_EQ(TScratchFolder::Read(StaffelFileName), divisions);
    EXPECT_EQ(TScratchFolder::Read(SpieltageFileName), calendars);
    EXPECT_EQ(terminated, 0);
    EXPECT_TRUE(boxes.Shown.empty());
}

TEST_F(ReadOnlyTest, MissingFilesAreNotCreated) {
    QFile::remove(StaffelFileName);
    QFile::remove(SpieltageFileName);
    Open(true);
    EXPECT_TRUE(window->t_staffel().Active());
    window->EndForced();
    window.reset();
    EXPECT_FALSE(TScratchFolder::Exists(StaffelFileName));
    EXPECT_FALSE(TScratchFolder::Exists(SpieltageFileName));
}

TEST_F(ReadOnlyTest, CalendarWindowOnlyBrowses) {
    Open(true);
    TSpieltage spieltage(window->Store, window->d_spieltage);
    spieltage.SetReadOnly();
    const std::vector<bool> enabled = NavigatorEnabled(spieltage.MYDBNav1);
    EXPECT_EQ(std::vector<bool>(enabled.begin() + 2, enabled.end()),
              (std::vector<bool>{false, false, false, false, true})); // insert .. cancel
    spieltage.MYDBNav1->ClickButton(nbInsert);
    EXPECT_EQ(window->t_spieltage().State(), tsBrowse);
}

} // namespace
