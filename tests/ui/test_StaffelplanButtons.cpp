// The main window's four action buttons, the information bar and the status bar.
#include "test_StaffelplanFixture.h"

#include "ui/windows/AboutBox.h"
#include "ui/windows/Auswahl_Spt.h"
#include "ui/windows/Spieltage.h"
#include "ui/controls/StaffelplanWidgets.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

class StaffelplanButtonsTest : public StaffelplanTest {
protected:
    void SetUp() override {
        StaffelplanTest::SetUp();
        spieltage = std::make_unique<TSpieltage>(window->Store, window->d_spieltage);
        auswahl = std::make_unique<TAuswahl_Spt>(window->d_spieltage);
        about = std::make_unique<TAboutBox>(nullptr, [](const QString&, const QString&) {});
        window->Spieltage = spieltage.get();
        window->Auswahl_Spt = auswahl.get();
        window->AboutBox = about.get();
    }
    void TearDown() override {
        about.reset();
        auswahl.reset();
        spieltage.reset();
        window.reset();
    }

    void AddDivision(const char* klasse, bool tenTeams) {
        TRecordTable& t = window->t_staffel();
        t.Append();
        t.Field("Jahr").SetAsInteger(2009);
        t.Field("Klasse").SetAsText(klasse);
        t.Field("10Klasse").SetAsBoolean(tenTeams);
        t.Field("1A").SetAsText("TV Sued");
        t.Post();
    }

    std::unique_ptr<TSpieltage> spieltage;
    std::unique_ptr<TAuswahl_Spt> auswahl;
    std::unique_ptr<TAboutBox> about;
};

TEST_F(StaffelplanButtonsTest, PrintChoosesTheLayoutByTenTeams) {
    QTest::mouseClick(window->Button1, Qt::LeftButton);
    AddDivision("Achter", false);
    QTest::mouseClick(window->Button1, Qt::LeftButton);
    AddDivision("Zehner", true);
    QTest::mouseClick(window->Button1, Qt::LeftButton);
    EXPECT_EQ(layouts, (std::vector<std::string>{"Klasse8", "Klasse8", "Klasse10"}));
}

TEST_F(StaffelplanButtonsTest, CopyAppendsTheDivisionWithTheTimeAndShowsTheFirstRow) {
    AddDivision("Bezirksliga", false);
    AddDivision("Aufstieg", true);
    QTest::mouseClick(window->Button3, Qt::LeftButton);
    EXPECT_TRUE(boxes.Shown.empty());
    TRecordTable& t = window->t_staffel();
    EXPECT_EQ(t.DisplayCount(), 3);
    EXPECT_EQ(t.DisplayIndex(), 0);
    t.Last();
    EXPECT_EQ(t.Field("Klasse").AsText(), "Aufstieg-14:05:09");
    EXPECT_EQ(t.Field("id").AsInteger(), 99);
    EXPECT_TRUE(t.Field("10Klasse").AsBoolean());
    EXPECT_NE(TScratchFolder::Read(StaffelFileName).find("Aufstieg-14:05:09"), std::string::npos);
}

TEST_F(StaffelplanButtonsTest, AssignTakesTheChosenCalendarAfterYes) {
    AddDivision("Bezirksliga", false);
    boxes.Answer(caAccept);
    QTest::mouseClick(window->Button6, Qt::LeftButton);
    ASSERT_EQ(shownModally, std::vector<QDialog*>{auswahl.get()});
    ASSERT_EQ(boxes.Shown.size(), 2u);
    EXPECT_EQ(boxes.Shown[0],
              (TShownBox{TShownBox::Question, "Sollen die Spieltage übernommen werden?", cbYesNo}));
    EXPECT_EQ(boxes.Shown[1], (TShownBox{TShownBox::Notice, "Spieltage wurden übernommen"}));
    EXPECT_EQ(window->t_staffel().Field("4Adat").AsText(), "19.12.2009");
    EXPECT_EQ(window->t_staffel().State(), tsBrowse);
}

TEST_F(StaffelplanButtonsTest, AssignChangesNothingOnCancelOrNo) {
    AddDivision("Bezirksliga", false);
    modalResult = QDialog::Rejected;
    QTest::mouseClick(window->Button6, Qt::LeftButton);
    EXPECT_TRUE(boxes.Shown.empty());
    modalResult = QDialog::Accepted;
    boxes.Answer(caDecline);
    QTest::mouseClick(window->Button6, Qt::LeftButton);
    EXPECT_EQ(boxes.Questions().size(), 1u);
    EXPECT_TRUE(boxes.Notices().empty());
    EXPECT_TRUE(window->t_staffel().Field("1dat").IsNull());
}

TEST_F(StaffelplanButtonsTest, CalendarButtonShowsTheCalendarWindow) {
    QTest::mouseClick(window->Button5, Qt::LeftButton);
    EXPECT_EQ(shownModally, std::vector<QDialog*>{spieltage.get()});
}

TEST_F(StaffelplanButtonsTest, StatusBarAndInformationBarOpenTheAboutBox) {
    const auto& panels = window->StatusBar1->Panels();
    ASSERT_EQ(panels.size(), 3);
    for (QLabel* panel : panels)
        QTest::mouseClick(panel, Qt::LeftButton);
    QTest::mouseClick(window->Panel6, Qt::LeftButton);
    QTest::mouseClick(window->Panel6->childAt(382, 15), Qt::LeftButton);
    EXPECT_EQ(shownModally.size(), 5u);
    for (QDialog* shown : shownModally)
        EXPECT_EQ(shown, about.get());
}

} // namespace
