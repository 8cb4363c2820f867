// The calendar window's editing cycle on the main window's calendar table.
#include "test_StaffelplanFixture.h"

#include "ui/controls/DBEdit.h"
#include "ui/controls/DBGrid.h"
#include "ui/windows/Spieltage.h"

#include <QTest>

namespace {

class SpieltageTest : public StaffelplanTest {
protected:
    void SetUp() override {
        StaffelplanTest::SetUp();
        calendar = std::make_unique<TSpieltage>(window->Store, window->d_spieltage);
        calendar->show();
        QApplication::setActiveWindow(calendar.get());
    }
    void TearDown() override {
        calendar.reset();
        window.reset();
    }
    void Press(TMNavigateBtn button) {
        Guard([&] { calendar->MYDBNav1->ClickButton(button); });
    }
    bool EditorsEnabled() {
        bool all = calendar->DBEdit3->isEnabled();
        for (TDBEdit* edit : calendar->DateEdits)
            all = all && edit->isEnabled();
        return all && !calendar->DBGrid1->ReadOnly();
    }
    void TypeCalendar(const char* year) {
        QTest::keyClicks(calendar->DBEdit3, year);
        QTest::keyClicks(calendar->DateEdits[0], "5.9.2010");
    }

    std::unique_ptr<TSpieltage> calendar;
};

TEST_F(SpieltageTest, PostSavesTheCalendarFileOnly) {
    EXPECT_FALSE(calendar->DBEdit3->isEnabled());
    EXPECT_TRUE(calendar->DBGrid1->ReadOnly());
    const std::string divisions = TScratchFolder::Read(StaffelFileName);
    QFile::remove(StaffelFileName);

    Press(nbInsert);
    EXPECT_TRUE(EditorsEnabled());
    EXPECT_TRUE(calendar->DBEdit3->hasFocus());
    TypeCalendar("2010");
    Press(nbPost);

    EXPECT_TRUE(boxes.Shown.empty()) << boxes.Shown.front();
    EXPECT_EQ(window->t_spieltage().State(), tsBrowse);
    EXPECT_NE(TScratchFolder::Read(SpieltageFileName).find("Jahr=\"2010\" 1dat=\"20100905\""),
              std::string::npos);
    EXPECT_FALSE(TScratchFolder::Exists(StaffelFileName));
    EXPECT_TRUE(EditorsEnabled());
}

TEST_F(SpieltageTest, EditorsStayUnlockedOnceUnlocked) {
    Press(nbInsert);
    Press(nbCancel);
    EXPECT_EQ(window->t_spieltage().State(), tsBrowse);
    EXPECT_TRUE(calendar->isVisible());
    EXPECT_TRUE(EditorsEnabled());
    calendar->hide();
    calendar->show();
    EXPECT_TRUE(EditorsEnabled());
    // Typing into an unlocked editor starts an edit by itself.
    QTest::keyClicks(calendar->DBEdit3, "1");
    EXPECT_EQ(window->t_spieltage().State(), tsEdit);
}

TEST_F(SpieltageTest, CancelWithNothingPendingClosesWithOk) {
    Press(nbCancel);
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_EQ(calendar->result(), QDialog::Accepted);
    EXPECT_EQ(terminated, 0);
}

TEST_F(SpieltageTest, SecondCalendarOfAYearIsReportedTwiceAndStaysPending) {
    Press(nbInsert);
    TypeCalendar("2009");
    Press(nbPost);
    EXPECT_EQ(boxes.Notices(), std::vector<std::string>{"Key violation."});
    EXPECT_EQ(boxes.Errors(), std::vector<std::string>{"Key violation."});
    EXPECT_EQ(window->t_spieltage().State(), tsInsert);
}

TEST_F(SpieltageTest, RefreshFailsWithTheTablesMessage) {
    Press(nbRefresh);
    ASSERT_EQ(boxes.Errors().size(), 1u);
    EXPECT_EQ(boxes.Errors()[0],
              window->t_spieltage().NamedMessage("Die Änderungen müssen vor der Aktualisierung "
                                                 "der Daten übernommen werden"));
    EXPECT_EQ(window->t_spieltage().DisplayCount(), 1);
}

TEST_F(SpieltageTest, ControlsStandWhereTheWindowPlacesThem) {
    EXPECT_EQ(calendar->size(), QSize(761, 364));
    EXPECT_EQ(calendar->windowTitle(), "Spieltage");
    EXPECT_EQ(calendar->DBEdit3->geometry(), QRect(167, 13, 51, 24));
    EXPECT_EQ(calendar->DateEdits[3]->geometry(), QRect(108, 122, 81, 24));
    EXPECT_EQ(calendar->DateEdits[4]->geometry(), QRect(309, 50, 81, 24));
    EXPECT_EQ(calendar->DateEdits[9]->geometry(), QRect(540, 74, 81, 24));
    EXPECT_EQ(calendar->DBGrid1->geometry(), QRect(4, 154, 750, 171));
    EXPECT_EQ(calendar->MYDBNav1->geometry(), QRect(8, 331, 741, 25));
    EXPECT_EQ(calendar->childAt(calendar->MYDBNav1->geometry().center()),
              calendar->MYDBNav1->Button(nbEdit));
}

} // namespace
