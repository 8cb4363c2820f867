// Screenshots of the club table and the season overview for the user guide.
// Disabled in the normal run; make them under Xvfb with
//   STAFFEL_SCREENSHOT_DIR=docs/screenshots QT_QPA_PLATFORM=xcb xvfb-run -a
//     tests/test_ui --gtest_also_run_disabled_tests --gtest_filter='*SeasonScreenshots*'
// (one command line).
#include "SeasonTables.h"
#include "data/Records.h"
#include "data/file/Cp1252.h"
#include "tests/report/DivisionSamples.h"
#include "ui/windows/Saisonuebersicht.h"
#include "ui/windows/Staffelplan.h"
#include "ui/windows/Vereine.h"

#include <QDir>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

TDivisionValues Division(const char* klasse, bool tenTeams, int shiftDays,
                         std::vector<const char*> teams) {
    TDivisionValues division = SampleDivision(tenTeams, 2026);
    for (auto& date : division.Dates)
        if (date)
            *date += shiftDays;
    division.Klasse = Utf8ToCp1252(klasse);
    for (std::size_t s = 0; s < teams.size(); ++s)
        SetTeam(division, static_cast<TSlotName>(s), Utf8ToCp1252(teams[s]));
    return division;
}

void AddClub(TRecordTable& clubs, const char* name, int capacity, const char* blocked) {
    clubs.Append();
    clubs.Field("Verein").SetAsText(Utf8ToCp1252(name));
    clubs.Field("Kapazitaet").SetAsInteger(capacity);
    clubs.Field("Sperrtermine").SetAsText(blocked);
    clubs.Post();
}

TEST(SeasonScreenshots, DISABLED_ClubTableAndOverview) {
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("STAFFEL_SCREENSHOT_DIR"));
    const QDir target(QDir(qEnvironmentVariable("STAFFEL_SCREENSHOT_DIR")).absolutePath());
    QTemporaryDir scratch;
    const QString saved = QDir::currentPath();
    QDir::setCurrent(scratch.path());
    {
        TStaffelplan window;
        window.ShowModal = [](QDialog&) { return int(QDialog::Accepted); };
        RefillDivisionTable(
            window.t_staffel(),
            {Division("Bezirksliga", true, 0,
                      {"TSV Lindenau 2", "SG Nordheim", "BC Tannenfeld", "TV Eichstedt",
                       "SV Rotbach", "BSC Mühlental", "TuS Weidingen", "FC Brunnhof",
                       "SC Altenberg 3", "VfL Seedorf"}),
             Division("Kreisliga A", false, 1,
                      {"TSV Lindenau 3", "SG Nordheim 2", "BC Tannenfeld 2", "TV Eichstedt 2",
                       "SV Rotbach 2", "VfL Seedorf 2", "FC Brunnhof 2", "TuS Weidingen 2"}),
             Division("Kreisliga B", false, 14,
                      {"TuS Hafen", "TSV Lindenau 4", "BC Tannenfeld 3", "TV Eichstedt",
                       "SC Wiesental", "BSV Moorkamp", "TSG Kirchdorf", "FC Bergen"})});
        // One match day of Kreisliga A without a date yet.
        TRecordTable& divisions = window.t_staffel();
        divisions.MoveTo(1);
        divisions.Edit();
        divisions.Field("8dat").Clear();
        divisions.Post();
        TRecordTable& clubs = window.Store.t_vereine();
        AddClub(clubs, "SG Nordheim", 2, "");
        AddClub(clubs, "TSV Lindenau", 1, "03.10.2026; 24.12.2026");
        AddClub(clubs, "BC Tannenfeld", 1, "19.09.2026");
        AddClub(clubs, "SC Altenberg", 2, "");

        window.OpenVereine();
        TVereine& table = *window.Vereine;
        table.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&table));
        QTest::qWait(300);
        ASSERT_TRUE(table.grab().save(target.filePath("club-table.png")));
        table.hide();

        window.OpenSaisonuebersicht();
        TSaisonuebersicht& overview = *window.Saisonuebersicht;
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&overview));
        overview.TreeView1->expand(overview.ClashModel->index(0, 0));
        overview.TreeView1->expand(
            overview.ClashModel->index(0, 0, overview.ClashModel->index(0, 0)));
        QTest::qWait(300);
        ASSERT_TRUE(overview.grab().save(target.filePath("season-overview.png")));
        overview.PageControl1->setCurrentIndex(1);
        QTest::qWait(300);
        ASSERT_TRUE(overview.grab().save(target.filePath("season-home-games.png")));
    }
    QDir::setCurrent(saved);
}

} // namespace
