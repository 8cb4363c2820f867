// Screenshots for the user guide. Disabled in the normal run; make them with
//   STAFFEL_SCREENSHOT_DIR=docs/screenshots xvfb-run -a tests/test_report_qt \
//     --gtest_also_run_disabled_tests --gtest_filter='*Screenshots*'
#include "data/file/Cp1252.h"
#include "data/Records.h"
#include "report/qt/ExecuteLayout.h"

#include <QDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

std::unique_ptr<TRecordTable> ExampleDivision() {
    auto table = std::make_unique<TRecordTable>("t_staffel");
    DefineFields(*table, StaffelRecordFields());
    table->CreateEmpty();
    table->Append();
    table->Field("Ueberschrift").SetAsText("Badminton Bezirk Nord");
    table->Field("Klasse").SetAsText("Bezirksliga");
    table->Field("Jahr").SetAsInteger(2026);
    table->Field("10Klasse").SetAsBoolean(true);
    table->Field("Mannschaft").SetAsText("TSV Lindenau 2");
    const char* teams[] = {"TSV Lindenau 2", "SG Nordheim",   "BC Tannenfeld", "TV Eichstedt",
                           "SV Rotbach",     "BSC Mühlental", "TuS Weidingen", "FC Brunnhof",
                           "SC Altenberg 3", "VfL Seedorf"};
    for (int s = 0; s < SlotCount; ++s)
        table->Field(std::string(SlotFieldName(static_cast<TSlotName>(s))))
            .SetAsText(Utf8ToCp1252(teams[s]));
    const auto& days = SpieltageInTimeOrder();
    for (std::size_t i = 0; i < days.size(); ++i)
        table->Field(SpieltagDateFieldName(days[i]))
            .SetAsDateTime(*DayFromCivil(2026, 9, 5) + static_cast<int>(i) * 21);
    table->Post();
    return table;
}

QString Target(const char* name) {
    return QDir(qEnvironmentVariable("STAFFEL_SCREENSHOT_DIR")).filePath(name);
}

TEST(PreviewScreenshots, DISABLED_OutputOptionsAndPreview) {
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("STAFFEL_SCREENSHOT_DIR"));
    const TQtPrinterSource printers;
    {
        TOutputOptions options;
        TOutputOptionsDialog dialog(options, printers);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        QTest::qWait(200);
        ASSERT_TRUE(dialog.grab().save(Target("output-options.png")));
    }
    auto table = ExampleDivision();
    TReportOutput output(*table);
    output.OutputDay = [] { return *DayFromCivil(2026, 8, 20); };
    output.RunOptions = [](QWidget*, TOutputOptions&, TOutputOptionsForm, int) { return true; };
    output.MakeStatus = [](QWidget*, const QString&) { return std::unique_ptr<TReportStatus>(); };
    bool saved = false;
    output.ShowPreview = [&](QWidget*, const TReportPages& pages, const TOutputOptions& options) {
        TReportPreviewWindow window(pages, options, printers);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(200);
        saved = window.grab().save(Target("preview.png"));
    };
    output.ExecuteLayout("Klasse10");
    EXPECT_TRUE(saved);
}

} // namespace
