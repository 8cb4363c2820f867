#include "report/qt/ExecuteLayout.h"

#include "data/StaffelError.h"
#include "report/FixtureLayout.h"
#include "report/PageGenerator.h"
#include "report/ReportBinding.h"
#include "report/SnapshotFile.h"
#include "report/qt/QtTextMeasure.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

#include <exception>
#include <vector>

namespace {

// Hides the status window however generation ends.
class TStatusScope {
public:
    explicit TStatusScope(TReportStatus* status) : status_(status) {
        if (status_)
            status_->Start();
    }
    ~TStatusScope() {
        if (status_)
            status_->Finish();
    }
    TStatusScope(const TStatusScope&) = delete;
    TStatusScope& operator=(const TStatusScope&) = delete;

private:
    TReportStatus* status_;
};

} // namespace

TReportOutput::TReportOutput(TRecordTable& table, QWidget* owner)
    : Printers(std::make_shared<TQtPrinterSource>()), table_(table), owner_(owner) {}

void TReportOutput::ExecuteLayout(std::string_view layoutName) {
    const TFixtureLayout* layout = FindLayout(layoutName);
    if (!layout)
        return;
    // Begun at its first data text; the run ends it.
    auto binding = std::make_shared<TReportBinding>(table_, *layout, table_.Settings());
    ExecutePages(
        [this, layout, binding](const TTextMeasure& measure, TDaySerial day,
                                const TPageProgress& progress) {
            return GeneratePages(*layout, *binding, table_.Settings(), day, measure, progress);
        },
        [binding] { binding->End(); });
}

void TReportOutput::ExecutePages(const TPageSource& source, const std::function<void()>& finish) {
    TOutputOptions options;
    if (auto printer = Printers->DefaultPrinter())
        options.PrinterName = printer->Name;
    const TRunOutputOptions runOptions = RunOptions ? RunOptions : OutputOptionsRunner(*Printers);
    if (options.ShowDialog && !runOptions(owner_, options, ofDestination, 1)) {
        if (finish)
            finish();
        return;
    }

    std::vector<std::string> errors;
    QString pageFile;
    try {
        TGenerateResult result;
        {
            std::unique_ptr<TReportStatus> status;
            if (options.ShowStatus)
                status = MakeStatus ? MakeStatus(owner_, options.StatusTitle)
                                    : MakeReportStatusWindow(owner_, options.StatusTitle);
            TStatusScope scope(status.get());
            const TQtTextMeasure measure;
            result = source(measure, OutputDay ? OutputDay() : Today(),
                            [&status](int page) { return !status || status->PageStarted(page); });
        }
        if (!result.Cancelled) {
            pageFile = WritePageFile(result.Pages);
            Deliver(ReadSnapshotFile(pageFile.toStdString()), options);
        }
    } catch (const std::exception& error) {
        errors.push_back(error.what());
    }

    if (!pageFile.isEmpty() && !QFile::remove(pageFile) && QFile::exists(pageFile))
        errors.push_back("Cannot delete \"" + pageFile.toStdString() + "\".");

    if (finish) {
        try {
            finish();
        } catch (const std::exception& error) {
            errors.push_back(error.what());
        }
    }

    if (errors.empty())
        return;
    if (!ShowError)
        throw TStaffelError(errors.front());
    for (const std::string& message : errors)
        ShowError(message);
}

QString TReportOutput::WritePageFile(const TReportPages& pages) const {
    const QString folder = TemporaryFolder.isEmpty() ? QDir::tempPath() : TemporaryFolder;
    // Reserve a unique name; the snapshot writer then replaces it whole.
    QTemporaryFile reserved(QDir(folder).filePath(
        QStringLiteral("staffelplan-XXXXXX") +
        QString::fromUtf8(SnapshotExtension.data(), SnapshotExtension.size())));
    if (!reserved.open())
        throw TStaffelError("Cannot create a temporary page file in \"" +
                            QDir(folder).absolutePath().toStdString() +
                            "\": " + reserved.errorString().toStdString());
    reserved.setAutoRemove(false);
    const QString name = reserved.fileName();
    reserved.close();
    try {
        WriteSnapshotFile(name.toStdString(), pages);
    } catch (...) {
        QFile::remove(name);
        throw;
    }
    return name;
}

void TReportOutput::Deliver(const TReportPages& pages, const TOutputOptions& options) {
    switch (options.Destination) {
    case rdPreview:
        if (ShowPreview)
            ShowPreview(owner_, pages, options);
        else
            PreviewRunner(*Printers, ShowError)(owner_, pages, options);
        break;
    case rdPrinter:
        (Print ? Print : PrintPages)(pages, options);
        break;
    case rdFile:
        if (options.FileFormat == ffNativePrinter)
            (PrintToFile ? PrintToFile : PrintPagesToFile)(pages, options, options.OutputFileName);
        else
            WriteSnapshotFile(options.OutputFileName.toStdString(), pages);
        break;
    }
}
