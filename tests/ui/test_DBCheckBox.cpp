#include "FakeMessageBoxes.h"
#include "test_DBTables.h"
#include "ui/controls/DBCheckBox.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

class DBCheckBoxTest : public ::testing::Test {
protected:
    DBCheckBoxTest() : t({2008, 2009}) {
        box = new TDBCheckBox(&window);
        box->setGeometry(10, 10, 100, 20);
        box->SetDataSource(&t.Source);
        box->SetDataField("10Klasse");
        box->SetValueChecked("Wahr");
        box->SetValueUnchecked("Falsch");
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    TFakeMessageBoxes boxes;
    TTestTable t;
    QWidget window;
    TDBCheckBox* box;
};

TEST_F(DBCheckBoxTest, ShowsTrueFalseAndGreyedForEmpty) {
    EXPECT_EQ(box->checkState(), Qt::Checked); // 2008 is even
    t.Table.Next();
    EXPECT_EQ(box->checkState(), Qt::Unchecked);
    t.Table.Insert();
    EXPECT_EQ(box->checkState(), Qt::PartiallyChecked);
}

TEST_F(DBCheckBoxTest, ClickCyclesAndAsksToEdit) {
    struct {
        Qt::CheckState Before, After;
    } cases[] = {{Qt::PartiallyChecked, Qt::Checked},
                 {Qt::Checked, Qt::Unchecked},
                 {Qt::Unchecked, Qt::Checked}};
    for (const auto& c : cases) {
        t.Table.Cancel();
        t.Table.Edit();
        if (c.Before == Qt::PartiallyChecked)
            t.Table.Field("10Klasse").Clear();
        else
            t.Table.Field("10Klasse").SetAsBoolean(c.Before == Qt::Checked);
        ASSERT_EQ(box->checkState(), c.Before);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, 10));
        EXPECT_EQ(box->checkState(), c.After) << c.Before;
        EXPECT_TRUE(box->InputChanged());
    }
}

TEST_F(DBCheckBoxTest, ClickInBrowseStartsTheEditAndPostWritesBack) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, 10));
    EXPECT_EQ(t.Table.State(), tsEdit);
    EXPECT_EQ(box->checkState(), Qt::Unchecked);
    EXPECT_TRUE(t.Table.Field("10Klasse").AsBoolean()); // not yet written
    t.Table.Post();
    EXPECT_FALSE(t.Table.Field("10Klasse").AsBoolean());
}

TEST_F(DBCheckBoxTest, WithoutAutoEditTheBoxDoesNotChange) {
    t.Source.SetAutoEdit(false);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, 10));
    EXPECT_EQ(t.Table.State(), tsBrowse);
    EXPECT_EQ(box->checkState(), Qt::Checked);
}

TEST_F(DBCheckBoxTest, GreyedWritesEmptyAndCodeSettingsAreNotWritten) {
    t.Table.Insert();
    t.Table.Field("Jahr").SetAsInteger(2010);
    box->setCheckState(Qt::Unchecked); // from program code: shown only
    t.Table.Post();
    EXPECT_TRUE(t.Table.Field("10Klasse").IsNull());
}

TEST_F(DBCheckBoxTest, EscapeReadsTheFieldAgainAndSpaceToggles) {
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_EQ(t.Table.State(), tsEdit);
    EXPECT_EQ(box->checkState(), Qt::Unchecked);
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_EQ(box->checkState(), Qt::Checked);
    EXPECT_FALSE(box->InputChanged());
}

} // namespace
