// Screenshots of the slot proposal dialog and a club's plan page for the user
// guide. Disabled in the normal run; make them under Xvfb with
//   STAFFEL_SCREENSHOT_DIR=docs/screenshots QT_QPA_PLATFORM=xcb xvfb-run -a \
//     tests/test_ui --gtest_also_run_disabled_tests --gtest_filter='*ProposalScreenshots*'
// (the club plan page needs pdftoppm).
#include "data/file/Cp1252.h"
#include "ui/exports/ClubPlanExports.h"
#include "ui/exports/SlotProposalDialog.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TDivisionValues Division(const char* klasse, std::vector<const char*> teams) {
    TDivisionValues division;
    division.Klasse = Utf8ToCp1252(klasse);
    division.Jahr = 2026;
    division.Mannschaft = Utf8ToCp1252(teams[0]);
    for (std::size_t s = 0; s < teams.size(); ++s)
        division.Teams[s] = Utf8ToCp1252(teams[s]);
    for (int d = 0; d < 8; ++d)
        division.Dates[d] = *DayFromCivil(2026, 9, 5) + 21 * d;
    return division;
}

TSeason SampleSeason() {
    return TSeason({Division("Bezirksliga",
                             {"TV Hude", "SC Nord", "BV Ost", "TSG Süd", "Blau-Weiß Delmenhorst",
                              "TuS West", "SV Ganderkesee", "1. BC Wardenburg"}),
                    Division("Kreisliga A", {"TV Hude II", "SC Nord II", "BV Ost II", "TSG Süd II",
                                             "Blau-Weiß Delmenhorst II", "TuS West II",
                                             "SV Ganderkesee II", "1. BC Wardenburg II"})},
                   TClubDirectory({{Utf8ToCp1252("TSG Süd"), 1, {*DayFromCivil(2026, 9, 26)}}}));
}

TEST(ProposalScreenshots, DISABLED_DialogAndClubPlanPage) {
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("STAFFEL_SCREENSHOT_DIR"));
    const QDir target(QDir(qEnvironmentVariable("STAFFEL_SCREENSHOT_DIR")).absolutePath());

    TSeason season = SampleSeason();
    TSlotAssignment base;
    TSlotProposalDialog dialog(season, 1, base);
    dialog.Apply = [](const std::vector<TSlotAssignment>&) { return TApplyOutcome::Saved; };
    dialog.SetPinned(TSlotName::s1A, true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.Searching(); }, 20000));
    dialog.show();
    QTest::qWait(200);
    ASSERT_TRUE(dialog.grab().save(target.filePath("slot-proposal.png")));

    QTemporaryDir scratch;
    const QString pdf = QDir(scratch.path()).filePath("plan.pdf");
    TClubPlanExports exports(nullptr);
    exports.AskSaveFileName = [&](QWidget*, const QString&, const QString&, const QString&) {
        return pdf;
    };
    exports.OutputDay = [] { return *DayFromCivil(2026, 8, 1); };
    exports.SavePdf(season, season.Clubs().FindClub("TV Hude"));
    QProcess render;
    render.start("pdftoppm",
                 {"-png", "-r", "80", "-singlefile", pdf, target.filePath("club-plan")});
    ASSERT_TRUE(render.waitForFinished(20000));
    EXPECT_EQ(render.exitCode(), 0) << render.readAllStandardError().toStdString();
}

} // namespace
