// The main window's editing cycle through its navigator.
#include "test_StaffelplanFixture.h"

#include "ui/controls/DBCheckBox.h"
#include "ui/controls/DBGrid.h"

#include <QTest>

namespace {

const char* const DivisionRow =
    "<ROWDATA><ROW RowState=\"4\" Ueberschrift=\"Badminton\" Klasse=\"Bezirksliga\" "
    "Jahr=\"2009\" 10Klasse=\"FALSE\" Mannschaft=\"TV Sued\" 1A=\"TV Sued\" 1B=\"SC Nord\"/>"
    "</ROWDATA>";

TEST_F(StaffelplanTest, StartsWithEverythingLocked) {
    EXPECT_TRUE(EditorsLocked());
    EXPECT_FALSE(window->DBCheckBox1->isEnabled());
    EXPECT_TRUE(window->DBGrid1->ReadOnly());
    EXPECT_EQ(window->MYDBNav1->FontColor(), window->palette().color(QPalette::WindowText));
    EXPECT_TRUE(TScratchFolder::Exists(StaffelFileName));
    EXPECT_TRUE(TScratchFolder::Exists(SpieltageFileName));
    EXPECT_TRUE(boxes.Shown.empty());
}

TEST_F(StaffelplanTest, TypicalCycleInsertsPostsSavesAndLocks) {
    Press(nbInsert);
    EXPECT_EQ(window->t_staffel().State(), tsInsert);
    EXPECT_EQ(window->DBEdit25->text(), "Badminton");
    EXPECT_EQ(window->DBCheckBox1->checkState(), Qt::Unchecked);
    EXPECT_TRUE(window->DBEdit3->hasFocus());
    EXPECT_EQ(window->MYDBNav1->FontColor(), QColor(Qt::red));
    EXPECT_FALSE(window->DBGrid1->ReadOnly());
    for (TDBEdit* edit : window->AllEditors()) {
        const bool isDate = std::find(window->DateEdits.begin(), window->DateEdits.end(), edit) !=
                            window->DateEdits.end();
        EXPECT_EQ(edit->isEnabled(), !isDate) << edit->DataField();
    }

    QTest::keyClicks(window->DBEdit3, "2009");
    QTest::keyClicks(window->DBEdit2, "Bezirksliga");
    QTest::keyClicks(window->DBEdit4, "TV Sued");
    QTest::keyClicks(window->SlotEdits[0], "TV Sued");
    QTest::keyClicks(window->SlotEdits[1], "SC Nord");
    Press(nbPost);

    EXPECT_TRUE(boxes.Shown.empty()) << boxes.Shown.front();
    EXPECT_EQ(window->t_staffel().State(), tsBrowse);
    const std::string file = TScratchFolder::Read(StaffelFileName);
    EXPECT_NE(file.find(DivisionRow), std::string::npos) << file;
    EXPECT_NE(file.find("<PARAMS CHANGE_LOG=\"1 0 4\"/>"), std::string::npos) << file;
    EXPECT_TRUE(EditorsLocked());
    EXPECT_EQ(window->MYDBNav1->FontColor(), window->palette().color(QPalette::WindowText));
    EXPECT_EQ(terminated, 0);
}

TEST_F(StaffelplanTest, PostWithoutClassShowsTheErrorTwiceAndKeepsEditing) {
    Press(nbInsert);
    QTest::keyClicks(window->DBEdit3, "2009");
    const std::string before = TScratchFolder::Read(StaffelFileName);
    Press(nbPost);

    const std::string message = "Feld 'Klasse' muss einen Wert haben";
    EXPECT_EQ(boxes.Notices(), std::vector<std::string>{message});
    EXPECT_EQ(boxes.Errors(), std::vector<std::string>{message});
    EXPECT_EQ(window->t_staffel().State(), tsInsert);
    EXPECT_TRUE(window->DBEdit2->isEnabled());
    EXPECT_EQ(window->MYDBNav1->FontColor(), QColor(Qt::red));
    EXPECT_EQ(TScratchFolder::Read(StaffelFileName), before);
}

TEST_F(StaffelplanTest, CancelDuringInsertDropsTheRowAndLocks) {
    Press(nbInsert);
    QTest::keyClicks(window->DBEdit2, "Bezirksliga");
    Press(nbCancel);
    EXPECT_EQ(window->t_staffel().State(), tsBrowse);
    EXPECT_TRUE(window->t_staffel().IsEmpty());
    EXPECT_TRUE(EditorsLocked());
    EXPECT_EQ(terminated, 0);
    EXPECT_TRUE(boxes.Shown.empty());
}

TEST_F(StaffelplanTest, CancelWithNothingPendingEndsTheProgramAndSavesBoth) {
    Press(nbInsert);
    QTest::keyClicks(window->DBEdit3, "2009");
    QTest::keyClicks(window->DBEdit2, "Bezirksliga");
    Press(nbPost);
    // A deletion writes nothing until the end.
    window->t_staffel().Delete();
    ASSERT_NE(TScratchFolder::Read(StaffelFileName).find("Bezirksliga"), std::string::npos);
    QFile::remove(SpieltageFileName);

    Press(nbCancel);
    EXPECT_EQ(terminated, 1);
    window.reset();

    EXPECT_EQ(TScratchFolder::Read(StaffelFileName).find("Klasse=\"Bezirksliga\"/>"),
              std::string::npos);
    EXPECT_NE(TScratchFolder::Read(SpieltageFileName).find("Jahr=\"2009\""), std::string::npos);
    EXPECT_TRUE(boxes.Shown.empty());
}

TEST_F(StaffelplanTest, CloseBoxEndsTheProgram) {
    window->close();
    EXPECT_EQ(terminated, 1);
}

TEST_F(StaffelplanTest, EditUnlocksAndFocusesTheYear) {
    Press(nbInsert);
    QTest::keyClicks(window->DBEdit3, "2009");
    QTest::keyClicks(window->DBEdit2, "Bezirksliga");
    Press(nbPost);
    window->DBEdit2->setFocus();
    Press(nbEdit);
    EXPECT_EQ(window->t_staffel().State(), tsEdit);
    EXPECT_TRUE(window->DBEdit3->hasFocus());
    EXPECT_FALSE(EditorsLocked());
    QTest::keyClicks(window->DBEdit4, "TV Sued");
    Press(nbPost);
    EXPECT_NE(TScratchFolder::Read(StaffelFileName).find("Mannschaft=\"TV Sued\""),
              std::string::npos);
    EXPECT_TRUE(EditorsLocked());
}

} // namespace
