#include "FakeMessageBoxes.h"
#include "test_DBTables.h"
#include "ui/controls/DBEdit.h"
#include "ui/controls/DBGrid.h"

#include <QHeaderView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class DBGridTest : public ::testing::Test {
protected:
    DBGridTest() : t({2001, 2002, 2003, 2004, 2005, 2006, 2007, 2008, 2009, 2010}) {
        grid = new TDBGrid(&window);
        grid->setGeometry(0, 0, 400, 120);
        grid->SetColumns({{"Jahr", 45, std::nullopt},
                          {"Klasse", -1, std::nullopt},
                          {"10Klasse", 86, std::nullopt}});
        grid->SetDataSource(&t.Source);
        edit = new TDBEdit(&window);
        edit->setGeometry(0, 130, 100, 24);
        edit->SetDataSource(&t.Source);
        edit->SetDataField("Klasse");
        window.resize(420, 170);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        grid->setFocus();
    }
    QPoint RowPoint(int row) {
        return QPoint(20, grid->rowViewportPosition(row) + grid->rowHeight(row) / 2);
    }
    int SelectedRow() {
        const auto rows = grid->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows[0].row() : -1;
    }

    TFakeMessageBoxes boxes;
    TTestTable t;
    QWidget window;
    TDBGrid* grid;
    TDBEdit* edit;
};

TEST_F(DBGridTest, ShowsTheRowsWithTitlesTextsAndAlignment) {
    TDBGridModel* m = grid->GridModel();
    EXPECT_EQ(m->rowCount(), 10);
    EXPECT_EQ(m->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Jahr");
    EXPECT_EQ(m->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), "10Klasse");
    EXPECT_EQ(m->data(m->index(0, 0), Qt::DisplayRole).toString(), "2001");
    EXPECT_EQ(m->data(m->index(0, 2), Qt::DisplayRole).toString(), "Falsch");
    EXPECT_EQ(m->data(m->index(1, 2), Qt::DisplayRole).toString(), "Wahr");
    EXPECT_EQ(m->data(m->index(0, 0), Qt::TextAlignmentRole).value<Qt::Alignment>() &
                  Qt::AlignHorizontal_Mask,
              Qt::AlignRight);
    EXPECT_EQ(m->data(m->index(0, 1), Qt::TextAlignmentRole).value<Qt::Alignment>() &
                  Qt::AlignHorizontal_Mask,
              Qt::AlignLeft);
    EXPECT_EQ(grid->columnWidth(0), 45);
    EXPECT_EQ(grid->columnWidth(2), 86);
    EXPECT_EQ(SelectedRow(), 0);
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(DBGridTest, ClickMovesTheCursor) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, RowPoint(2));
    EXPECT_EQ(t.Year(), 2003);
    EXPECT_EQ(SelectedRow(), 2);
}

TEST_F(DBGridTest, KeysMoveTheCursor) {
    const int page = grid->VisibleRowCount();
    ASSERT_GT(page, 1);
    struct {
        Qt::Key Key;
        Qt::KeyboardModifiers Modifiers;
        int WantRow; // 0-based
    } steps[] = {
        {Qt::Key_Down, Qt::NoModifier, 1},
        {Qt::Key_Right, Qt::NoModifier, 2},
        {Qt::Key_Up, Qt::NoModifier, 1},
        {Qt::Key_Left, Qt::NoModifier, 0},
        {Qt::Key_Left, Qt::NoModifier, 0},
        {Qt::Key_End, Qt::NoModifier, 9},
        {Qt::Key_Home, Qt::NoModifier, 0},
        {Qt::Key_End, Qt::ControlModifier, 9},
        {Qt::Key_Home, Qt::ControlModifier, 0},
        {Qt::Key_PageDown, Qt::NoModifier, page},
        {Qt::Key_PageUp, Qt::NoModifier, 0},
        {Qt::Key_Down, Qt::ControlModifier, page - 1}, // the lowest row wholly shown
        {Qt::Key_Up, Qt::ControlModifier, 0},
    };
    for (const auto& s : steps) {
        QTest::keyClick(grid, s.Key, s.Modifiers);
        EXPECT_EQ(t.Year(), 2001 + s.WantRow)
            << QKeySequence(s.Key | s.Modifiers).toString().toStdString();
        EXPECT_EQ(SelectedRow(), s.WantRow);
    }
}

TEST_F(DBGridTest, TabStepsThroughTheColumnsThenTheRows) {
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_EQ(t.Year(), 2002);
    EXPECT_EQ(grid->CurrentColumn(), 0);
    EXPECT_TRUE(grid->hasFocus());
    QTest::keyClick(grid, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(t.Year(), 2001);
    EXPECT_EQ(grid->CurrentColumn(), 2);
}

TEST_F(DBGridTest, TypingInsertAndF2DoNothing) {
    for (Qt::Key key : {Qt::Key_A, Qt::Key_2, Qt::Key_Insert, Qt::Key_F2})
        QTest::keyClick(grid, key);
    EXPECT_EQ(t.Table.State(), tsBrowse);
    EXPECT_EQ(t.Year(), 2001);
    EXPECT_EQ(SelectedRow(), 0);
}

TEST_F(DBGridTest, MovementEndsAPendingEdit) {
    t.Table.Edit();
    t.Table.Field("Klasse").SetAsText("ge\xe4ndert"); // Windows-1252
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(t.Table.State(), tsBrowse);
    t.Table.Prior();
    EXPECT_EQ(t.Table.Field("Klasse").AsText(), "ge\xe4ndert");
}

TEST_F(DBGridTest, FailedPostStopsTheMovementAndIsShown) {
    t.Table.Insert();
    t.Table.Field("Klasse").SetAsText("ohne Jahr");
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(t.Table.State(), tsInsert);
    EXPECT_EQ(boxes.Errors(), std::vector<std::string>{"Feld 'Jahr' muss einen Wert haben"});
}

TEST_F(DBGridTest, CtrlDeleteOnlyWhenWritable) {
    struct {
        bool ReadOnly;
        std::vector<TConfirmAnswer> Answers;
        int WantRows;
        size_t WantQuestions;
    } cases[] = {{true, {}, 10, 0},
                 {false, {caDecline}, 10, 1},
                 {false, {caClosed}, 10, 1},
                 {false, {caAccept}, 9, 1}};
    for (const auto& c : cases) {
        boxes.Clear();
        grid->SetReadOnly(c.ReadOnly);
        for (TConfirmAnswer a : c.Answers)
            boxes.Answer(a);
        QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(t.Table.DisplayCount(), c.WantRows) << c.ReadOnly;
        ASSERT_EQ(boxes.Shown.size(), c.WantQuestions);
        if (c.WantQuestions)
            EXPECT_EQ(boxes.Shown[0],
                      (TShownBox{TShownBox::Question, "Datensatz löschen?", cbOkCancel}));
    }
    QTest::keyClick(grid, Qt::Key_Delete); // without Ctrl: nothing
    EXPECT_EQ(t.Table.DisplayCount(), 9);
}

TEST_F(DBGridTest, UntouchedInsertIsCancelledWhenTheGridIsLeft) {
    t.Table.Insert();
    EXPECT_EQ(grid->GridModel()->rowCount(), 11);
    edit->setFocus();
    EXPECT_EQ(t.Table.State(), tsBrowse);
    EXPECT_EQ(grid->GridModel()->rowCount(), 10);

    grid->setFocus();
    t.Table.Insert();
    t.Table.Field("Klasse").SetAsText("x");
    edit->setFocus();
    EXPECT_EQ(t.Table.State(), tsInsert);
}

TEST_F(DBGridTest, ClickOnAnotherRowDiscardsAnUntouchedInsert) {
    t.Table.Insert(); // at row 0, before 2001
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, RowPoint(0));
    EXPECT_EQ(t.Table.State(), tsInsert); // its own row: nothing moves
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, RowPoint(3));
    EXPECT_EQ(t.Table.State(), tsBrowse);
    EXPECT_EQ(t.Year(), 2003);
}

TEST_F(DBGridTest, FollowsTheTableWithoutADataSourceOrWhenClosed) {
    t.Table.Close();
    EXPECT_EQ(grid->GridModel()->rowCount(), 0);
    QTest::keyClick(grid, Qt::Key_Down);
    t.Table.Open();
    EXPECT_EQ(grid->GridModel()->rowCount(), 10);
    grid->SetDataSource(nullptr);
    EXPECT_EQ(grid->GridModel()->rowCount(), 0);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_TRUE(boxes.Shown.empty());
}

TEST(DBGridColumnsTest, WithoutColumnsEveryFieldIsShown) {
    TTestTable t({1});
    TDBGrid grid;
    grid.SetDataSource(&t.Source);
    ASSERT_EQ(grid.GridModel()->columnCount(), 4);
    EXPECT_EQ(grid.GridModel()->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), "1dat");
}

} // namespace
