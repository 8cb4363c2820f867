#include "report/qt/PdfExport.h"

#include "data/file/AtomicFile.h"
#include "report/qt/PdfExportAll.h"
#include "report/qt/PrintPages.h"

#include <QFile>

// Made in memory, so the file is replaced by the one atomic writer like
// every other file the program writes.
void ExportPdf(const TReportPages& pages, const QString& fileName) {
    const QByteArray pdf = PdfOfPageSets({pages}, PrintDocumentTitle(pages));
    WriteFileAtomically(QFile::encodeName(fileName).toStdString(),
                        std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
}
