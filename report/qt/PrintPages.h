#pragma once
// The printer destination: pages to a CUPS queue through Qt's print
// support, or through the printer's driver into a file.
#include "report/Pages.h"
#include "report/qt/OutputOptions.h"

#include <QString>

#include <functional>

class QPrinter;

// The title print jobs and PDF files carry, one a person recognises in a
// print queue: "Staffelplan – Bezirksliga 2026".
QString PrintDocumentTitle(const TReportPages& pages);
// "Staffelplan – alle Staffeln", the PDF of all divisions.
QString AllDivisionsDocumentTitle();

// How copies are made: by the printer (DeviceCopies) or by repeating the
// whole print (Passes).
struct TCopyPlan {
    int Passes = 1;
    int DeviceCopies = 1;
    friend bool operator==(const TCopyPlan&, const TCopyPlan&) = default;
};
TCopyPlan PlanCopies(int copies, bool printerMakesCopies);

// Prints the pages of the options' range on options.PrinterName (or the
// printer the setup dialog configured): copies, collate and duplex where the
// printer offers them, A4 requested. Throws TStaffelError.
void PrintPages(const TReportPages& pages, const TOutputOptions& options);
// The same through the printer's driver into fileName (replaced whole, or
// left untouched on failure).
void PrintPagesToFile(const TReportPages& pages, const TOutputOptions& options,
                      const QString& fileName);

// Paints the chosen pages on a printer that is set up already; between
// repeated passes of a two-sided print an odd pass ends with a blank sheet
// side so that every copy starts on a new sheet.
void PaintPagesOnPrinter(QPrinter& printer, const TReportPages& pages,
                         const std::vector<int>& pageNumbers, int passes);

// Seams for the run and the preview.
using TPrintPages = std::function<void(const TReportPages&, const TOutputOptions&)>;
using TPrintPagesToFile =
    std::function<void(const TReportPages&, const TOutputOptions&, const QString&)>;
