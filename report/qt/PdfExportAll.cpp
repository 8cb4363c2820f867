#include "report/qt/PdfExportAll.h"

#include "data/StaffelError.h"
#include "report/qt/PagePainter.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace {
constexpr int kPdfResolution = 1200;
} // namespace

QByteArray PdfOfPageSets(const std::vector<TReportPages>& pageSets, const QString& title) {
    QByteArray document;
    QBuffer buffer(&document);
    if (!buffer.open(QIODevice::WriteOnly))
        throw TStaffelError("Das PDF-Dokument konnte nicht begonnen werden.");
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Staffelplan"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter;
        if (!painter.begin(&writer))
            throw TStaffelError("Das PDF-Dokument konnte nicht begonnen werden.");
        bool first = true;
        for (const TReportPages& set : pageSets)
            for (const TReportPage& page : set.Pages) {
                if (!first && !writer.newPage())
                    throw TStaffelError("Eine neue PDF-Seite konnte nicht begonnen werden.");
                PaintPage(painter, page);
                first = false;
            }
        painter.end();
    }
    return document;
}
