#pragma once
// The report output bound to the division table: ExecuteLayout runs a
// fixture layout for the current division, ExecutePages any other pages,
// through the Output Options dialog to the preview, the printer or a file.
#include "data/Dates.h"
#include "data/table/RecordTable.h"
#include "report/PageGenerator.h"
#include "report/qt/GuardCore.h"
#include "report/qt/OutputOptionsDialog.h"
#include "report/qt/PrintPages.h"
#include "report/qt/ReportPreviewWindow.h"
#include "report/qt/ReportStatusWindow.h"

#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

class QWidget;

// Makes a run's pages once the user has chosen where they go; asks progress
// before each page and stops when it answers false.
using TPageSource = std::function<TGenerateResult(const TTextMeasure& measure, TDaySerial outputDay,
                                                  const TPageProgress& progress)>;

class TReportOutput {
public:
    // owner: the window that owns the dialogs (the main window).
    explicit TReportOutput(TRecordTable& table, QWidget* owner = nullptr);

    // Runs the layout of that name (letter case ignored) for the current
    // row; an unknown name does nothing. Every error of the run goes to
    // ShowError after the page file is gone and the table is back in browse
    // state; without ShowError the first error propagates then.
    void ExecuteLayout(std::string_view layoutName);
    // The same run for pages that need no table row. finish runs at the
    // end, after the page file is gone, whatever happened; its failure is
    // reported like the run's.
    void ExecutePages(const TPageSource& source, const std::function<void()>& finish = {});

    TErrorSink ShowError;
    // The parts a run talks to; empty ones take the real dialogs and windows.
    std::shared_ptr<const TPrinterSource> Printers;
    TRunOutputOptions RunOptions;
    TMakeReportStatus MakeStatus;
    TShowPreview ShowPreview;
    TPrintPages Print;
    TPrintPagesToFile PrintToFile;
    std::function<TDaySerial()> OutputDay;
    QString TemporaryFolder; // empty: the user's temporary folder

private:
    void Deliver(const TReportPages& pages, const TOutputOptions& options);
    QString WritePageFile(const TReportPages& pages) const;

    TRecordTable& table_;
    QWidget* owner_;
};
