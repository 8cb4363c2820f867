// Screenshots of the division list's context menu and the plan check for
// the user guide. Disabled in the normal run; make them under Xvfb with
//   STAFFEL_SCREENSHOT_DIR=docs/screenshots QT_QPA_PLATFORM=xcb xvfb-run -a \
//     tests/test_ui --gtest_also_run_disabled_tests --gtest_filter='*DivisionScreenshots*'
#include "data/file/Cp1252.h"
#include "data/Records.h"
#include "report/PlanCheck.h"
#include "ui/controls/DBGrid.h"
#include "ui/exports/DivisionContextMenu.h"
#include "ui/exports/PlanCheckDialog.h"
#include "ui/windows/Staffelplan.h"

#include <QDir>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString Target(const char* name) {
    return QDir(qEnvironmentVariable("STAFFEL_SCREENSHOT_DIR")).filePath(name);
}

void AddDivision(TRecordTable& table, const char* klasse, bool tenTeams, const char* own,
                 std::vector<const char*> teams) {
    table.Append();
    table.Field("Klasse").SetAsText(Utf8ToCp1252(klasse));
    table.Field("Jahr").SetAsInteger(2026);
    table.Field("10Klasse").SetAsBoolean(tenTeams);
    table.Field("Mannschaft").SetAsText(Utf8ToCp1252(own));
    for (std::size_t s = 0; s < teams.size(); ++s)
        table.Field(std::string(SlotFieldName(static_cast<TSlotName>(s))))
            .SetAsText(Utf8ToCp1252(teams[s]));
    const auto& days = SpieltageInTimeOrder();
    for (std::size_t i = 0; i < days.size(); ++i)
        table.Field(SpieltagDateFieldName(days[i]))
            .SetAsDateTime(*DayFromCivil(2026, 9, 5) + static_cast<int>(i) * 21);
    table.Post();
}

TEST(DivisionScreenshots, DISABLED_ContextMenuAndPlanCheck) {
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("STAFFEL_SCREENSHOT_DIR"));
    const QString target = QDir(qEnvironmentVariable("STAFFEL_SCREENSHOT_DIR")).absolutePath();
    QTemporaryDir scratch;
    const QString saved = QDir::currentPath();
    QDir::setCurrent(scratch.path());
    {
        TStaffelplan window;
        TRecordTable& table = window.t_staffel();
        AddDivision(table, "Bezirksliga", true, "TSV Lindenau 2",
                    {"TSV Lindenau 2", "SG Nordheim", "BC Tannenfeld", "TV Eichstedt", "SV Rotbach",
                     "BSC Mühlental", "TuS Weidingen", "FC Brunnhof", "SC Altenberg 3",
                     "VfL Seedorf"});
        AddDivision(table, "Kreisliga A", false, "TSV Lindenau 3",
                    {"TSV Lindenau 3", "SG Nordheim 2", "BC Tannenfeld 2", "", "SV Rotbach 2",
                     "SG Nordheim 2", "FC Brunnhof 2", "VfL Seedorf 2"});
        table.Edit();
        table.Field("5dat").SetAsDateTime(*DayFromCivil(2026, 10, 10));
        table.Post();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

        auto* menu = window.DBGrid1->findChild<TDivisionContextMenu*>();
        ASSERT_NE(menu, nullptr);
        const QPoint inGrid(120, 44);
        menu->Popup = [](QMenu& shown, const QPoint& position) { shown.popup(position); };
        QContextMenuEvent request(QContextMenuEvent::Mouse, inGrid,
                                  window.DBGrid1->viewport()->mapToGlobal(inGrid));
        QApplication::sendEvent(window.DBGrid1->viewport(), &request);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu->Menu()));
        QTest::qWait(300);
        // The whole main window, the menu over its division list.
        const QRect shot = window.geometry();
        ASSERT_TRUE(QGuiApplication::primaryScreen()
                        ->grabWindow(0, shot.x(), shot.y(), shot.width(), shot.height())
                        .save(QDir(target).filePath("context-menu.png")));
        menu->Menu()->hide();

        const TDivisionValues division = DivisionFromCurrentRow(table);
        TPlanCheckDialog dialog(division, CheckPlan(division, table.Settings()), &window);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        QTest::qWait(300);
        ASSERT_TRUE(dialog.grab().save(QDir(target).filePath("plan-check.png")));
    }
    QDir::setCurrent(saved);
}

} // namespace
