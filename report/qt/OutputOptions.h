#pragma once
// What one run of a report is asked to do: where the pages go, how many
// copies, which pages. Made afresh for every run.
#include <QString>

#include <memory>
#include <vector>

class QPrinter;

enum TReportDest { rdPrinter, rdPreview, rdFile };
enum TReportFileFormat { ffPageSnapshot, ffNativePrinter };

struct TOutputOptions {
    TReportDest Destination = rdPreview;
    bool ShowDialog = true;
    bool AllowPrinter = true;
    bool AllowFile = true;
    bool AllowSetup = true;

    int Copies = 1;
    bool Collate = false;
    bool Duplex = false;
    int FirstPage = 1;
    int LastPage = 9999;
    // Set by the print-range form: "1-3,5"; empty means FirstPage..LastPage.
    QString PageSelection;

    QString OutputFileName;
    TReportFileFormat FileFormat = ffPageSnapshot;

    bool ShowStatus = true;
    bool ModalPreview = true;
    bool AllowPrintFromPreview = true;
    bool AllowSaveFromPreview = true;

    QString DialogTitle = QStringLiteral("Output Options");
    QString StatusTitle = QStringLiteral("Report Status");
    QString PreviewTitle = QStringLiteral("Report Preview");

    double Zoom = 100.0;
    double ZoomStep = 10.0;
    int PageShadow = 5;
    int PreviewWidth = 615;
    int PreviewHeight = 450;

    // Empty when no printer is installed. Printer keeps what the setup
    // dialog chose (tray, resolution) for the print itself; it is made on
    // demand for PrinterName.
    QString PrinterName;
    std::shared_ptr<QPrinter> Printer;
};

// The name the file destination writes: ".prn" or the page-snapshot
// extension is added when the name, folder included, holds no point.
QString FileNameWithExtension(const QString& trimmedName, TReportFileFormat format);

// The 1-based pages to print out of pageCount, in print order. selection is
// "1-3,5", "2-", "-4" or "7"; pieces that are no range of numbers are skipped
// and numbers are held inside 1..pageCount. An empty selection stands for
// first..last.
std::vector<int> SelectedPages(const QString& selection, int first, int last, int pageCount);
std::vector<int> SelectedPages(const TOutputOptions& options, int pageCount);
