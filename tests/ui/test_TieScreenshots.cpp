// Screenshots of the results window, the table beside it and a printed
// table page for the user guide. Disabled in the normal run; make them under
// Xvfb with
//   STAFFEL_SCREENSHOT_DIR=docs/screenshots QT_QPA_PLATFORM=xcb xvfb-run -a
//     tests/test_ui --gtest_also_run_disabled_tests --gtest_filter='*TieScreenshots*'
// (one command line; the page needs pdftoppm).
#include "SeasonTables.h"
#include "data/file/Cp1252.h"
#include "report/qt/PdfExport.h"
#include "report/qt/QtTextMeasure.h"
#include "season/StandingsPages.h"
#include "season/TieTable.h"
#include "tests/report/DivisionSamples.h"
#include "ui/windows/Begegnungen.h"
#include "ui/windows/Staffelplan.h"
#include "ui/windows/Tabelle.h"
#include "ui/windows/TieGrid.h"
#include "ui/windows/TieRowsModel.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(TieScreenshots, DISABLED_ResultsTableAndPage) {
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("STAFFEL_SCREENSHOT_DIR"));
    const QDir target(QDir(qEnvironmentVariable("STAFFEL_SCREENSHOT_DIR")).absolutePath());
    QTemporaryDir scratch;
    const QString saved = QDir::currentPath();
    QDir::setCurrent(scratch.path());
    {
        TStaffelplan window;
        TDivisionValues division = SampleDivision(false, 2026);
        division.Klasse = "Bezirksliga Nord";
        const char* teams[] = {"TSV Lindenau 2", "SG Nordheim", "BC Tannenfeld",
                               "TV Eichstedt",   "SV Rotbach",  "BSC M\xFChlental",
                               "TuS Weidingen",  "FC Brunnhof"};
        for (int s = 0; s < 8; ++s)
            SetTeam(division, static_cast<TSlotName>(s), teams[s]);
        RefillDivisionTable(window.t_staffel(), {division});
        window.Store.SaveStaffel();
        window.OpenBegegnungen();
        TBegegnungen& results = *window.Begegnungen;

        // Match days 1 and 2 played, one walkover, one tie moved, one deduction.
        const TTieResult played[] = {{{5, 3}, {11, 8}, {398, 341}}, {{2, 6}, {6, 13}, {301, 362}},
                                     {{4, 4}, {9, 10}, {370, 377}}, {{7, 1}, {14, 3}, {352, 240}},
                                     {{3, 5}, {8, 11}, {350, 369}}, {{6, 2}, {12, 6}, {368, 300}},
                                     {{8, 0}, {16, 1}, {345, 210}}};
        for (int r = 0; r < 7; ++r) {
            TTieRecord record = NewTieRecord(*results.Season(), results.Rows->Game(r));
            record.Status = TTieState::Gespielt;
            record.Result = played[r];
            SaveTieRecord(window.Store, record);
        }
        TTieRecord walkover = NewTieRecord(*results.Season(), results.Rows->Game(7));
        walkover.Status = TTieState::KampflosGast;
        SaveTieRecord(window.Store, walkover);
        TTieRecord moved = NewTieRecord(*results.Season(), results.Rows->Game(8));
        moved.Datum = *DayFromCivil(2026, 9, 13);
        moved.Uhrzeit = "19:30";
        moved.Bemerkung = "Halle belegt";
        SaveTieRecord(window.Store, moved);
        TTieRecord deduction = NewTeamRecord(division, teams[5], TTieState::Punktabzug);
        deduction.Result.Punkte.Home = 2;
        deduction.Bemerkung = "Spieler ohne Spielberechtigung";
        SaveTieRecord(window.Store, deduction);

        // A result typed, not saved yet.
        const int open = results.Rows->NextOpen(-1);
        results.Rows->setData(results.Rows->index(open, tcSpiele), QStringLiteral("5:3"));
        results.Grid1->setCurrentIndex(results.Rows->index(open, tcSaetze));
        results.move(0, 0);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&results));
        QTest::qWait(300);
        ASSERT_TRUE(results.grab().save(target.filePath("results.png")));

        results.OpenTabelle();
        TTabelle& table = *results.Tabelle;
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&table));
        QTest::qWait(300);
        ASSERT_TRUE(table.grab().save(target.filePath("table.png")));

        const TQtTextMeasure measure;
        const QString pdf = QDir(scratch.path()).filePath("table.pdf");
        ExportPdf(MakeStandingsPages(division, table.Standings(), TRegionalSettings::German(),
                                     *DayFromCivil(2026, 9, 20), measure),
                  pdf);
        ASSERT_EQ(QProcess::execute("pdftoppm", {"-png", "-r", "80", "-singlefile", pdf,
                                                 target.filePath("table-page")}),
                  0);
    }
    QDir::setCurrent(saved);
}

} // namespace
