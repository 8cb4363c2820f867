// Ends nobody answers: a request ends every event loop, nested ones too,
// and turns every box into a line on standard error; the process's own
// exit() still saves; a rescue makes the status non-zero.
#include "app/ForcedEnd.h"
#include "tests/ui/FakeMessageBoxes.h"
#include "ui/StderrMessageBoxes.h"

#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class ForcedEndTest : public ::testing::Test {
protected:
    void TearDown() override {
        SetBoxesNonInteractive(false);
        // exit() leaves the thread's loops refusing to run until the main
        // loop has run once more.
        QTimer::singleShot(0, qApp, [] { QCoreApplication::quit(); });
        QCoreApplication::exec();
    }
};

TEST_F(ForcedEndTest, RequestEndsNestedLoopsAndSilencesTheBoxes) {
    TFakeMessageBoxes fake;
    QDialog dialog;
    bool innerEnded = false;
    QTimer::singleShot(0, &dialog, [&] {
        QEventLoop inner; // a box inside the dialog
        QTimer::singleShot(20, [] { ForcedEnd::Request(); });
        QTimer::singleShot(5000, &inner, [&] { inner.quit(); });
        inner.exec();
        innerEnded = true;
    });
    QTimer::singleShot(5000, &dialog, &QDialog::reject);
    QElapsedTimer clock;
    clock.start();
    dialog.exec();
    EXPECT_LT(clock.elapsed(), 4000);
    EXPECT_TRUE(innerEnded);
    EXPECT_TRUE(ForcedEnd::Requested());
    EXPECT_TRUE(BoxesNonInteractive());
    EXPECT_NE(&MessageBoxes(), &fake);
    EXPECT_EQ(MessageBoxes().Confirm("Datensatz wirklich löschen", cbYesCancel), caClosed);
    EXPECT_TRUE(fake.Shown.empty());
}

TEST(StderrMessageBoxes, WritesEveryBoxAndAnswersNoQuestion) {
    std::ostringstream out;
    TStderrMessageBoxes boxes(&out);
    const std::string title = ApplicationTitle().toStdString();
    EXPECT_EQ(boxes.Confirm("Sollen die Spieltage übernommen werden?", cbYesNo), caClosed);
    EXPECT_EQ(boxes.Choose("Welche Fassung?", "A", "B"), caClosed);
    boxes.Inform("Spieltage wurden übernommen");
    boxes.ShowError("Key violation.");
    EXPECT_EQ(out.str(), title + ": Frage ohne Antwort: Sollen die Spieltage übernommen werden?\n" +
                             title + ": Frage ohne Antwort: Welche Fassung?\n" + title +
                             ": Hinweis: Spieltage wurden übernommen\n" + title +
                             ": Fehler: Key violation.\n");
}

TEST(ForcedEndReport, LinesGoToStandardErrorAndARescueFailsTheStatus) {
    struct {
        std::vector<std::string> Lines;
        bool Rescued;
        int WantStatus;
    } cases[] = {{{}, false, 0},
                 {{"Die Datei wurde gespeichert."}, false, 0},
                 {{"Gerettet in \"/tmp/x.rettung-20090428-140509.xml\"."}, true, 1}};
    for (const auto& c : cases) {
        ::testing::internal::CaptureStderr();
        const int status = ForcedEnd::Report(c.Lines, c.Rescued);
        const std::string written = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(status, c.WantStatus) << c.Lines.size();
        for (const std::string& line : c.Lines)
            EXPECT_NE(written.find(line), std::string::npos) << line;
    }
}

// Qt ends the process with exit(1) when the display goes; the save runs
// then, and a rescue decides the status.
TEST(ForcedEndExit, ExitRunsTheArmedSave) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ForcedEnd::ArmExitSave([] { return BoxesNonInteractive() ? 3 : 4; });
        std::exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3);
}

} // namespace
