// The calendar chooser's results: OK by Enter or its button, Cancel by
// Escape, its button or the close box.
#include "test_StaffelplanFixture.h"

#include "ui/windows/Auswahl_Spt.h"
#include "ui/controls/DBGrid.h"

#include <QPushButton>
#include <QTest>

namespace {

using AuswahlTest = StaffelplanTest;

enum class TChooserInput { Enter, Return, Escape, OkButton, CancelButton, CloseBox };

struct TChooserCase {
    TChooserInput Input;
    const char* Name;
    int Result;
};

TEST_F(AuswahlTest, ChooserClosesWithItsResult) {
    const TChooserCase cases[] = {
        {TChooserInput::Enter, "Enter", QDialog::Accepted},
        {TChooserInput::Return, "Return", QDialog::Accepted},
        {TChooserInput::Escape, "Escape", QDialog::Rejected},
        {TChooserInput::OkButton, "OK button", QDialog::Accepted},
        {TChooserInput::CancelButton, "Cancel button", QDialog::Rejected},
        {TChooserInput::CloseBox, "close box", QDialog::Rejected},
    };
    TAuswahl_Spt chooser(window->d_spieltage);
    for (const auto& c : cases) {
        chooser.setResult(-1);
        chooser.show();
        QApplication::setActiveWindow(&chooser);
        ASSERT_TRUE(chooser.DBGrid1->hasFocus()) << c.Name;
        switch (c.Input) {
        case TChooserInput::Enter:
            QTest::keyClick(chooser.DBGrid1, Qt::Key_Enter);
            break;
        case TChooserInput::Return:
            QTest::keyClick(chooser.DBGrid1, Qt::Key_Return);
            break;
        case TChooserInput::Escape:
            QTest::keyClick(chooser.DBGrid1, Qt::Key_Escape);
            break;
        case TChooserInput::OkButton:
            QTest::mouseClick(chooser.BitBtn1, Qt::LeftButton);
            break;
        case TChooserInput::CancelButton:
            QTest::mouseClick(chooser.BitBtn2, Qt::LeftButton);
            break;
        case TChooserInput::CloseBox:
            chooser.close();
            break;
        }
        EXPECT_FALSE(chooser.isVisible()) << c.Name;
        EXPECT_EQ(chooser.result(), c.Result) << c.Name;
    }
}

TEST_F(AuswahlTest, ChooserGridMovesTheSharedCalendarRow) {
    TRecordTable& calendars = window->t_spieltage();
    calendars.Append();
    calendars.Field("Jahr").SetAsInteger(2010);
    calendars.Post();
    calendars.First();
    TAuswahl_Spt chooser(window->d_spieltage);
    chooser.show();
    QApplication::setActiveWindow(&chooser);
    QTest::keyClick(chooser.DBGrid1, Qt::Key_Down);
    EXPECT_EQ(calendars.Field("Jahr").AsInteger(), 2010);
    EXPECT_TRUE(chooser.DBGrid1->ReadOnly());
}

} // namespace
