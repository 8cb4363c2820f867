// Screenshot of the match-day proposal for the user guide. Disabled in the
// normal run; make it under Xvfb with STAFFEL_SCREENSHOT_DIR=docs/screenshots,
// QT_QPA_PLATFORM=xcb and xvfb-run -a tests/test_ui
// --gtest_also_run_disabled_tests --gtest_filter='*MatchDayScreenshot*'.
#include "data/file/Cp1252.h"
#include "ui/windows/SpieltageVorschlag.h"

#include <QDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TDaySerial Date(unsigned day, unsigned month, int year) {
    return *DayFromCivil(year, month, day);
}

TEST(MatchDayScreenshot, DISABLED_ProposalDialog) {
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("STAFFEL_SCREENSHOT_DIR"));
    const QDir target(QDir(qEnvironmentVariable("STAFFEL_SCREENSHOT_DIR")).absolutePath());
    TMatchDaySources sources{
        2026,
        TGermanState::NI,
        {{Date(12, 10, 2026), Date(24, 10, 2026), "Herbstferien", "niedersachsen.ics"},
         {Date(23, 12, 2026), Date(9, 1, 2027), "Weihnachtsferien", "niedersachsen.ics"},
         {Date(1, 2, 2027), Date(2, 2, 2027), "Winterferien", "niedersachsen.ics"},
         {Date(22, 3, 2027), Date(6, 4, 2027), "Osterferien", "niedersachsen.ics"}},
        {{"TV Hude", 1, {Date(5, 9, 2026), Date(7, 11, 2026)}},
         {Utf8ToCp1252("TSG Süd"), 1, {Date(7, 11, 2026)}}}};
    TSpieltageVorschlag dialog(sources);
    dialog.Apply = [](int, const TProposedCalendar&) {};
    dialog.Recompute();
    dialog.show();
    QTest::qWait(200);
    ASSERT_TRUE(dialog.grab().save(target.filePath("match-day-proposal.png")));
}

} // namespace
