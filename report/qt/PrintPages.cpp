#include "report/qt/PrintPages.h"

#include "data/StaffelError.h"
#include "data/file/AtomicFile.h"
#include "report/qt/PagePainter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>

#include <memory>

namespace {

[[noreturn]] void Fail(const QString& message) {
    throw TStaffelError(message.toStdString());
}

QPrinter& PreparePrinter(const TOutputOptions& options, std::unique_ptr<QPrinter>& own) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(options.PrinterName);
    if (options.PrinterName.isEmpty() || info.isNull())
        Fail(options.PrinterName.isEmpty()
                 ? QStringLiteral("No printer is installed.")
                 : QStringLiteral("The printer \"%1\" is not available.").arg(options.PrinterName));
    QPrinter* printer = options.Printer.get();
    if (!printer || printer->printerName() != options.PrinterName) {
        own = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        printer = own.get();
    }
    printer->setOutputFormat(QPrinter::NativeFormat);
    printer->setOutputFileName(QString());
    printer->setFullPage(true); // layout positions count from the sheet's corner
    printer->setPageSize(QPageSize(QPageSize::A4));
    const bool duplexOffered = info.supportedDuplexModes().contains(QPrinter::DuplexLongSide);
    printer->setDuplex(options.Duplex && duplexOffered ? QPrinter::DuplexLongSide
                                                       : QPrinter::DuplexNone);
    return *printer;
}

// Sets the device copies and returns the number of whole passes.
int ApplyCopies(QPrinter& printer, const TOutputOptions& options) {
    printer.setCopyCount(std::max(options.Copies, 1));
    const TCopyPlan plan = PlanCopies(options.Copies, printer.supportsMultipleCopies());
    printer.setCopyCount(plan.DeviceCopies);
    printer.setCollateCopies(options.Collate);
    return plan.Passes;
}

std::vector<int> PagesToPrint(const TReportPages& pages, const TOutputOptions& options) {
    return SelectedPages(options, static_cast<int>(pages.Pages.size()));
}

} // namespace

QString PrintDocumentTitle(const TReportPages& pages) {
    if (pages.Title.empty())
        return QStringLiteral("Staffelplan");
    return QStringLiteral("Staffelplan – ") + QString::fromStdString(pages.Title);
}

QString AllDivisionsDocumentTitle() {
    return QStringLiteral("Staffelplan – alle Staffeln");
}

TCopyPlan PlanCopies(int copies, bool printerMakesCopies) {
    copies = std::max(copies, 1);
    if (printerMakesCopies)
        return {1, copies};
    return {copies, 1};
}

void PaintPagesOnPrinter(QPrinter& printer, const TReportPages& pages,
                         const std::vector<int>& pageNumbers, int passes) {
    QPainter painter;
    if (!painter.begin(&printer))
        Fail(QStringLiteral("The printer \"%1\" could not start the print job.")
                 .arg(printer.printerName()));
    const bool padOddPasses = printer.duplex() != QPrinter::DuplexNone && pageNumbers.size() % 2;
    bool first = true;
    for (int pass = 0; pass < passes; ++pass) {
        if (pass > 0 && padOddPasses)
            printer.newPage();
        for (int number : pageNumbers) {
            if (!first && !printer.newPage())
                Fail(QStringLiteral("The printer \"%1\" could not start a new page.")
                         .arg(printer.printerName()));
            first = false;
            PaintPage(painter, pages.Pages.at(static_cast<std::size_t>(number - 1)));
        }
    }
    if (!painter.end())
        Fail(QStringLiteral("The print job for \"%1\" could not be finished.")
                 .arg(printer.printerName()));
}

void PrintPages(const TReportPages& pages, const TOutputOptions& options) {
    std::unique_ptr<QPrinter> own;
    QPrinter& printer = PreparePrinter(options, own);
    printer.setDocName(PrintDocumentTitle(pages));
    const int passes = ApplyCopies(printer, options);
    const std::vector<int> numbers = PagesToPrint(pages, options);
    if (numbers.empty())
        return;
    PaintPagesOnPrinter(printer, pages, numbers, passes);
}

void PrintPagesToFile(const TReportPages& pages, const TOutputOptions& options,
                      const QString& fileName) {
    std::unique_ptr<QPrinter> own;
    QPrinter& printer = PreparePrinter(options, own);
    printer.setDocName(PrintDocumentTitle(pages));
    // The driver writes into a temporary file away from the target; the
    // finished job then replaces the target through the one atomic writer.
    QTemporaryFile temporary;
    if (!temporary.open())
        Fail(QStringLiteral("Cannot write \"%1\": %2")
                 .arg(QFileInfo(fileName).absoluteFilePath(), temporary.errorString()));
    temporary.close();
    printer.setOutputFileName(temporary.fileName());
    // A file holds what is written into it: every copy is a whole pass.
    const TCopyPlan plan = PlanCopies(options.Copies, false);
    printer.setCopyCount(plan.DeviceCopies);
    const int passes = plan.Passes;
    try {
        PaintPagesOnPrinter(printer, pages, PagesToPrint(pages, options), passes);
    } catch (...) {
        printer.setOutputFileName(QString());
        throw;
    }
    printer.setOutputFileName(QString());
    const TFileBytes job = ReadFileBytes(QFile::encodeName(temporary.fileName()).toStdString());
    WriteFileAtomically(QFile::encodeName(fileName).toStdString(), job.View());
}
