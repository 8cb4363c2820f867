// Start-up and end of the program: window order and visibility, the notice
// about a kept file, the saves at the end, and the termination signals.
#include "tests/ui/test_StaffelplanFixture.h"

#include "app/DataFolderAccess.h"
#include "app/StaffelplanProgram.h"
#include "app/StaffelplanSignalQuit.h"
#include "data/file/AtomicFile.h"
#include "ui/controls/DBEdit.h"
#include "ui/controls/MYDBNav.h"
#include "ui/windows/AboutBox.h"
#include "ui/windows/Auswahl_Spt.h"
#include "ui/windows/Spieltage.h"

#include <QSignalSpy>
#include <QTest>

#include <csignal>

namespace {

class StartUpTest : public ::testing::Test {
protected:
    TFakeMessageBoxes boxes;
    TScratchFolder folder;
};

TEST_F(StartUpTest, CreatesTheWindowsHiddenAndShowsTheMainWindow) {
    TStaffelplanProgram program(TRegionalSettings::German(), FixedClock);
    EXPECT_TRUE(TScratchFolder::Exists(StaffelFileName));
    EXPECT_TRUE(TScratchFolder::Exists(SpieltageFileName));
    EXPECT_FALSE(program.Staffelplan().isVisible());
    program.Show();
    EXPECT_TRUE(program.Staffelplan().isVisible());
    EXPECT_FALSE(program.Spieltage().isVisible());
    EXPECT_FALSE(program.Auswahl_Spt().isVisible());
    EXPECT_FALSE(program.AboutBox().isVisible());
    EXPECT_EQ(program.Staffelplan().Spieltage, &program.Spieltage());
    EXPECT_EQ(program.Staffelplan().Auswahl_Spt, &program.Auswahl_Spt());
    EXPECT_EQ(program.Staffelplan().AboutBox, &program.AboutBox());
    QTest::qWait(20);
    EXPECT_TRUE(boxes.Shown.empty());
}

TEST_F(StartUpTest, NoticeAboutAKeptFileComesOnceAfterTheMainWindow) {
    {
        QFile broken(StaffelFileName);
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write("no data file");
    }
    TStaffelplanProgram program(TRegionalSettings::German(), FixedClock);
    bool mainWindowUp = false;
    boxes.OnShow = [&](const TShownBox&) { mainWindowUp = program.Staffelplan().isVisible(); };
    program.Show();
    EXPECT_TRUE(boxes.Shown.empty());
    QTest::qWait(20);
    ASSERT_EQ(boxes.Notices().size(), 1u);
    EXPECT_TRUE(mainWindowUp);
    EXPECT_TRUE(program.Staffelplan().TakeStartupNotice() == std::nullopt);
}

// A data file the system will not let be read opens the windows as another
// copy's lock does; the files stay as they were, none is created, and the
// question names the file.
TEST_F(StartUpTest, UnreadableFileOpensReadOnlyAndCreatesNothing) {
    {
        QFile calendars(SpieltageFileName);
        ASSERT_TRUE(calendars.open(QIODevice::WriteOnly));
        calendars.write("x");
    }
    std::optional<TStaffelplanProgram> program;
    {
        TReadFaultScope refuse([](const std::string& fileName) {
            return std::filesystem::path(fileName).filename() == SpieltageFileName ? EACCES : 0;
        });
        program.emplace(TRegionalSettings::German(), FixedClock);
    }
    TStaffelplan& window = program->Staffelplan();
    EXPECT_TRUE(window.ReadOnly());
    EXPECT_EQ(window.windowTitle().toStdString(), "Staffelplan (schreibgeschützt)");
    EXPECT_FALSE(window.MYDBNav1->Button(nbInsert)->isEnabled());
    EXPECT_FALSE(program->Spieltage().MYDBNav1->Button(nbInsert)->isEnabled());
    const auto notice = window.Store.UnreadableNotice();
    ASSERT_TRUE(notice);
    EXPECT_NE(notice->find(QDir::current().filePath(SpieltageFileName).toStdString()),
              std::string::npos)
        << *notice;
    boxes.Answer(caDecline);
    EXPECT_EQ(AskAboutUnreadableFiles(*notice, boxes), faQuit);
    ASSERT_EQ(boxes.Shown.size(), 1u);
    EXPECT_EQ(boxes.Shown[0].Text, UnreadableFilesQuestion(*notice));
    EXPECT_EQ(boxes.Shown[0].First, OpenReadOnlyAnswer);
    EXPECT_EQ(boxes.Shown[0].Second, QuitAnswer);
    program.reset();
    EXPECT_FALSE(TScratchFolder::Exists(StaffelFileName));
    EXPECT_EQ(TScratchFolder::Read(SpieltageFileName), "x");
}

TEST_F(StartUpTest, EndSavesBothTables) {
    {
        TStaffelplanProgram program(TRegionalSettings::German(), FixedClock);
        program.Show();
        TRecordTable& divisions = program.Staffelplan().t_staffel();
        divisions.Append();
        divisions.Field("Jahr").SetAsInteger(2009);
        divisions.Field("Klasse").SetAsText("Bezirksliga");
        QFile::remove(SpieltageFileName);
    }
    EXPECT_NE(TScratchFolder::Read(StaffelFileName).find("Klasse=\"Bezirksliga\""),
              std::string::npos);
    EXPECT_TRUE(TScratchFolder::Exists(SpieltageFileName));
    EXPECT_TRUE(boxes.Shown.empty());
}

// The session's request for the data: the pending row reaches the file,
// a row that cannot be posted is dropped with a line on standard error
// instead of a box, and the program goes on with its boxes as before.
TEST_F(StartUpTest, SessionEndSavesWithoutBoxesAndTheProgramGoesOn) {
    TStaffelplanProgram program(TRegionalSettings::German(), FixedClock);
    program.Show();
    TStaffelplan& window = program.Staffelplan();
    const auto editorsLocked = [&window] {
        for (TDBEdit* edit : window.AllEditors())
            if (edit->isEnabled())
                return false;
        return true;
    };
    TRecordTable& divisions = window.t_staffel();
    window.MYDBNav1->ClickButton(nbInsert);
    ASSERT_FALSE(editorsLocked());
    divisions.Field("Jahr").SetAsInteger(2009);
    divisions.Field("Klasse").SetAsText("Bezirksliga");
    program.CommitSessionData();
    EXPECT_NE(TScratchFolder::Read(StaffelFileName).find("Klasse=\"Bezirksliga\""),
              std::string::npos);
    EXPECT_EQ(divisions.State(), tsBrowse);
    EXPECT_TRUE(editorsLocked()) << "as after a save of the user's own";

    // A half-typed row survives a logout that is then cancelled; the
    // calendar window's saved edit locks as the main window's does.
    window.MYDBNav1->ClickButton(nbInsert); // no class: cannot be posted
    divisions.Field("Jahr").SetAsInteger(2010);
    program.Spieltage().MYDBNav1->ClickButton(nbEdit);
    window.t_spieltage().Field("Jahr").SetAsInteger(2011);
    testing::internal::CaptureStderr();
    program.CommitSessionData();
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_NE(told.find("bleibt offen"), std::string::npos) << told;
    EXPECT_TRUE(boxes.Shown.empty());
    EXPECT_FALSE(BoxesNonInteractive());
    EXPECT_EQ(divisions.State(), tsInsert);
    EXPECT_EQ(divisions.Field("Jahr").AsInteger(), 2010);
    EXPECT_FALSE(editorsLocked());
    EXPECT_NE(TScratchFolder::Read(SpieltageFileName).find("Jahr=\"2011\""), std::string::npos);
    EXPECT_FALSE(program.Spieltage().DBEdit3->isEnabled());
    divisions.Cancel();

    divisions.First();
    divisions.Edit();
    divisions.Field("Klasse").SetAsText("Kreisliga");
    divisions.Post();
    program.Staffelplan().Store.SaveStaffel();
    EXPECT_NE(TScratchFolder::Read(StaffelFileName).find("Klasse=\"Kreisliga\""),
              std::string::npos);
}

TEST(SignalQuit, TerminationSignalsReachTheEventLoop) {
    TSignalQuit termination;
    QSignalSpy received(&termination, &TSignalQuit::Received);
    for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        received.clear();
        std::raise(signalNumber);
        ASSERT_TRUE(received.wait(2000)) << "signal " << signalNumber;
        EXPECT_EQ(received.front().front().toInt(), signalNumber);
    }
}

} // namespace
