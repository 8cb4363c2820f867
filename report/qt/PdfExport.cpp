#include "report/qt/PdfExport.h"

#include "data/StaffelError.h"
#include "report/qt/PagePainter.h"
#include "report/qt/PrintPages.h"

#include <QDir>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {
constexpr int kPdfResolution = 1200;

[[noreturn]] void Fail(const QString& fileName, const QString& reason) {
    throw TStaffelError(
        ("Cannot write \"" + QFileInfo(fileName).absoluteFilePath() + "\": " + reason)
            .toStdString());
}
} // namespace

void ExportPdf(const TReportPages& pages, const QString& fileName) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        Fail(fileName, file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setResolution(kPdfResolution);
        writer.setTitle(PrintDocumentTitle(pages));
        writer.setCreator(QStringLiteral("Staffelplan"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter;
        if (!painter.begin(&writer))
            Fail(fileName, QStringLiteral("the PDF could not be started"));
        for (std::size_t i = 0; i < pages.Pages.size(); ++i) {
            if (i > 0 && !writer.newPage())
                Fail(fileName, QStringLiteral("a new page could not be started"));
            PaintPage(painter, pages.Pages[i]);
        }
        painter.end();
    }
    if (!file.commit())
        Fail(fileName, file.errorString());
}
