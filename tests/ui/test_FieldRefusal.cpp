// A character the data file cannot hold, typed or pasted into an editor of
// either window: refused with its message, the editor keeps the focus with
// its text selected, the row stays pending and the file stays as it was.
#include "test_StaffelplanFixture.h"

#include "ui/controls/MYDBNav.h"
#include "ui/windows/Spieltage.h"

#include <QClipboard>
#include <QTest>

namespace {

const std::string RefusedL =
    "Das Zeichen \xC2\xBB\xC5\x82\xC2\xAB (U+0142) an Stelle 1 kann in den Staffeldaten nicht "
    "gespeichert werden.";

void Type(QWidget* edit, const QString& text) {
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

bool WasShown(const TFakeMessageBoxes& boxes, const std::string& text) {
    for (const TShownBox& box : boxes.Shown)
        if (box.Text == text)
            return true;
    return false;
}

TEST_F(StaffelplanTest, TypedLetterOutsideTheCodePageIsRefusedAtSpeichern) {
    Press(nbInsert);
    QTest::keyClicks(window->DBEdit3, "2026");
    Press(nbPost); // fails for the missing class, so that a file row exists below
    boxes.Clear();
    window->DBEdit2->setFocus();
    Type(window->DBEdit2, QStringLiteral("łódź-Liga"));
    const std::string before = TScratchFolder::Read(StaffelFileName);

    Press(nbPost);
    EXPECT_TRUE(WasShown(boxes, RefusedL)) << ::testing::PrintToString(boxes.Shown);
    EXPECT_EQ(window->t_staffel().State(), tsInsert);
    EXPECT_TRUE(window->DBEdit2->hasFocus());
    EXPECT_EQ(window->DBEdit2->selectedText(), QStringLiteral("łódź-Liga"));
    EXPECT_TRUE(window->t_staffel().Field("Klasse").IsNull());
    EXPECT_EQ(TScratchFolder::Read(StaffelFileName), before);

    // Corrected, the same row goes through.
    boxes.Clear();
    Type(window->DBEdit2, QStringLiteral("Lodz-Liga"));
    Press(nbPost);
    EXPECT_TRUE(boxes.Shown.empty()) << boxes.Shown.front();
    EXPECT_NE(TScratchFolder::Read(StaffelFileName).find("Klasse=\"Lodz-Liga\""),
              std::string::npos);
}

TEST_F(StaffelplanTest, RefusedTextIsReportedOnLeavingTheEditorLikeABadDate) {
    Press(nbInsert);
    window->DBEdit2->setFocus();
    Type(window->DBEdit2, QStringLiteral("ł"));
    window->DBEdit4->setFocus();
    EXPECT_EQ(boxes.Errors(), std::vector<std::string>{RefusedL});
    EXPECT_TRUE(window->DBEdit2->hasFocus());
    EXPECT_EQ(window->DBEdit2->selectedText(), QStringLiteral("ł"));
    EXPECT_EQ(window->t_staffel().State(), tsInsert);
}

TEST_F(StaffelplanTest, PastedTextIsRefusedInTheCalendarWindowToo) {
    const struct {
        QString Pasted;
        std::string Message;
    } cases[] = {
        {QStringLiteral("2026\t"), "Das Zeichen U+0009 an Stelle 5 kann in den Staffeldaten "
                                   "nicht gespeichert werden."},
        {QStringLiteral("2026\U0001F3F8"),
         "Das Zeichen \xC2\xBB\xF0\x9F\x8F\xB8\xC2\xAB (U+1F3F8) an Stelle 5 kann in den "
         "Staffeldaten nicht gespeichert werden."},
    };
    TSpieltage calendar(window->Store, window->d_spieltage);
    calendar.show();
    QApplication::setActiveWindow(&calendar);
    const auto press = [&](TMNavigateBtn button) {
        Guard([&] { calendar.MYDBNav1->ClickButton(button); });
    };
    TRecordTable& table = window->t_spieltage();
    const int year = table.Field("Jahr").AsInteger();
    TDBEdit* edit = calendar.DBEdit3;
    for (const auto& c : cases) {
        press(nbEdit);
        boxes.Clear();
        edit->setFocus();
        edit->selectAll();
        QApplication::clipboard()->setText(c.Pasted);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        ASSERT_EQ(edit->text(), c.Pasted) << c.Message;
        const std::string before = TScratchFolder::Read(SpieltageFileName);
        press(nbPost);
        EXPECT_TRUE(WasShown(boxes, c.Message)) << ::testing::PrintToString(boxes.Shown);
        EXPECT_EQ(table.State(), tsEdit) << c.Message;
        EXPECT_EQ(table.Field("Jahr").AsInteger(), year) << c.Message;
        EXPECT_TRUE(edit->hasFocus()) << c.Message;
        EXPECT_EQ(edit->selectedText(), c.Pasted) << c.Message;
        EXPECT_EQ(TScratchFolder::Read(SpieltageFileName), before) << c.Message;
        table.Cancel();
    }
}

} // namespace
