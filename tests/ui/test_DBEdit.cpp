#include "FakeMessageBoxes.h"
#include "test_DBTables.h"
#include "ui/controls/DBEdit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A window with two editors (year and a second field) on one table.
class DBEditTest : public ::testing::Test {
protected:
    DBEditTest() : t({2008, 2009}) {
        year = new TDBEdit(&window);
        year->setGeometry(10, 10, 80, 24);
        other = new TDBEdit(&window);
        other->setGeometry(10, 40, 80, 24);
        year->SetDataSource(&t.Source);
        year->SetDataField("Jahr");
        other->SetDataSource(&t.Source);
        other->SetDataField("Klasse");
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    void Use(TDBEdit* edit, const std::string& field) {
        edit->SetDataField(field);
        edit->setFocus();
    }

    TFakeMessageBoxes boxes;
    TTestTable t;
    QWidget window;
    TDBEdit* year;
    TDBEdit* other;
};

TEST_F(DBEditTest, ShowsTheFieldAndFollowsTheCursor) {
    other->setFocus();
    EXPECT_EQ(year->text(), "2008");
    EXPECT_TRUE(year->isReadOnly());
    EXPECT_EQ(year->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(other->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_EQ(other->maxLength(), 20);
    t.Table.Next();
    EXPECT_EQ(year->text(), "2009");
    year->setFocus();
    EXPECT_EQ(year->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
}

TEST_F(DBEditTest, KeysThatAskToEdit) {
    struct {
        const char* Field;
        Qt::Key Key;
        Qt::KeyboardModifiers Modifiers;
        bool WantEdit;
    } cases[] = {
        {"Jahr", Qt::Key_5, Qt::NoModifier, true},
        {"Jahr", Qt::Key_A, Qt::NoModifier, false}, // dropped before anything else
        {"Jahr", Qt::Key_Space, Qt::NoModifier, false},
        {"Jahr", Qt::Key_Minus, Qt::NoModifier, true},
        {"Klasse", Qt::Key_A, Qt::NoModifier, true},
        {"Klasse", Qt::Key_Backspace, Qt::NoModifier, true},
        {"Klasse", Qt::Key_Delete, Qt::NoModifier, true},
        {"Klasse", Qt::Key_V, Qt::ControlModifier, true},
        {"Klasse", Qt::Key_X, Qt::ControlModifier, true},
        {"Klasse", Qt::Key_Insert, Qt::ShiftModifier, true},
        {"Klasse", Qt::Key_Left, Qt::NoModifier, false},
        {"Klasse", Qt::Key_C, Qt::ControlModifier, false},
        {"1dat", Qt::Key_A, Qt::NoModifier, true},
    };
    for (const auto& c : cases) {
        t.Table.Cancel();
        Use(year, c.Field);
        QTest::keyClick(year, c.Key, c.Modifiers);
        EXPECT_EQ(t.Table.State() == tsEdit, c.WantEdit)
            << c.Field << " key " << QKeySequence(c.Key | c.Modifiers).toString().toStdString();
        EXPECT_EQ(year->isReadOnly(), !c.WantEdit) << c.Field;
    }
}

TEST_F(DBEditTest, DigitTypedStartsTheEditAndTakesEffect) {
    year->setFocus();
    QTest::keyClick(year, Qt::Key_End);
    QTest::keyClicks(year, "x7");
    EXPECT_EQ(t.Table.State(), tsEdit);
    EXPECT_EQ(year->text(), "20087");
    EXPECT_TRUE(year->InputChanged());
    QTest::keyClick(year, Qt::Key_Escape);
    EXPECT_EQ(year->text(), "2008");
    EXPECT_EQ(year->selectedText(), "2008");
    EXPECT_FALSE(year->InputChanged());
    EXPECT_EQ(t.Table.State(), tsEdit);
}

TEST_F(DBEditTest, WriteBackAtPostAndNotBeforeIt) {
    other->setFocus();
    QTest::keyClick(other, Qt::Key_End);
    QTest::keyClicks(other, "neu  ");
    EXPECT_EQ(t.Table.Field("Klasse").AsText(), "K2008");
    t.Table.Post();
    EXPECT_EQ(t.Table.Field("Klasse").AsText(), "K2008neu");
    EXPECT_EQ(other->text(), "K2008neu");
}

TEST_F(DBEditTest, WriteBackOnLeaving) {
    other->setFocus();
    QTest::keyClick(other, Qt::Key_End);
    QTest::keyClicks(other, "b");
    year->setFocus();
    EXPECT_EQ(t.Table.Field("Klasse").AsText(), "K2008b");
    EXPECT_TRUE(boxes.Shown.empty());
}

TEST_F(DBEditTest, UnreadableDateIsReportedOnLeavingAndKeepsTheFocus) {
    Use(other, "1dat");
    QTest::keyClicks(other, "31.02.2009");
    ASSERT_EQ(t.Table.State(), tsEdit);
    year->setFocus();
    EXPECT_EQ(boxes.Errors(), std::vector<std::string>{"'31.02.2009' ist kein gültiges Datum"});
    EXPECT_TRUE(other->hasFocus());
    EXPECT_EQ(other->text(), "31.02.2009");
    EXPECT_EQ(other->selectedText(), "31.02.2009");
    QTest::keyClick(other, Qt::Key_Escape); // back to the empty field
    year->setFocus();
    EXPECT_TRUE(year->hasFocus());
    EXPECT_EQ(boxes.Errors().size(), 1u);
}

TEST_F(DBEditTest, FailedWriteBackFailsThePost) {
    Use(other, "1dat");
    QTest::keyClicks(other, "kein Datum");
    EXPECT_ANY_THROW(t.Table.Post());
    EXPECT_EQ(t.Table.State(), tsEdit);
}

TEST_F(DBEditTest, FocusFieldTakesTheFocusUnlessDisabled) {
    t.Table.Insert(); // Jahr stays empty
    other->setFocus();
    EXPECT_ANY_THROW(t.Table.Post());
    EXPECT_TRUE(year->hasFocus());
    other->setFocus();
    year->setEnabled(false);
    EXPECT_ANY_THROW(t.Table.Post());
    EXPECT_TRUE(other->hasFocus());
}

TEST_F(DBEditTest, EmptyTableEditInsertsAndReadOnlyRefuses) {
    TTestTable empty;
    year->SetDataSource(&empty.Source);
    year->setFocus();
    QTest::keyClicks(year, "12");
    EXPECT_EQ(empty.Table.State(), tsInsert);
    EXPECT_EQ(year->text(), "12");
    empty.Table.Cancel();
    year->SetReadOnly(true);
    QTest::keyClicks(year, "3");
    EXPECT_EQ(empty.Table.State(), tsBrowse);
    EXPECT_EQ(year->text(), "");
}

TEST_F(DBEditTest, WithoutAutoEditNothingStarts) {
    t.Source.SetAutoEdit(false);
    year->setFocus();
    QTest::keyClicks(year, "1");
    EXPECT_EQ(t.Table.State(), tsBrowse);
    EXPECT_EQ(year->text(), "2008");
}

TEST(FieldAcceptsCharTest, IntegerFieldsTakeSignsAndDigitsOnly) {
    for (QChar c : QStringLiteral("+-0123456789"))
        EXPECT_TRUE(FieldAcceptsChar(ctInteger, c)) << int(c.unicode());
    for (QChar c : QStringLiteral("aZ .,e\u00e4"))
        EXPECT_FALSE(FieldAcceptsChar(ctInteger, c)) << int(c.unicode());
    for (TColumnType type : {ctText, ctDate, ctBoolean})
        EXPECT_TRUE(FieldAcceptsChar(type, QLatin1Char('x')));
}

} // namespace

namespace {

TEST_F(DBEditTest, PasteFromTheMenuAsksToEdit) {
    QApplication::clipboard()->setText("K9");
    other->setFocus();
    QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(5, 5),
                            other->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(other, &event);
    QMenu* menu = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<QMenu*>(w); m && m->isVisible())
            menu = m;
    ASSERT_NE(menu, nullptr);
    QAction* paste = menu->findChild<QAction*>("edit-paste");
    ASSERT_NE(paste, nullptr);
    EXPECT_TRUE(paste->isEnabled());
    QAction* cut = menu->findChild<QAction*>("edit-cut");
    ASSERT_NE(cut, nullptr);
    EXPECT_FALSE(cut->isEnabled()); // nothing selected
    other->selectAll();
    paste->trigger();
    menu->close();
    EXPECT_EQ(t.Table.State(), tsEdit);
    EXPECT_EQ(other->text(), "K9");
    EXPECT_TRUE(other->InputChanged());
}

} // namespace
