#include "ui/exports/StandingsExports.h"

#include "data/StaffelError.h"
#include "report/qt/PdfExport.h"
#include "report/qt/PdfExportAll.h"
#include "report/qt/QtTextMeasure.h"
#include "season/Clashes.h"
#include "season/StandingsPages.h"
#include "ui/exports/ExportFiles.h"

#include <QFileDialog>

#include <memory>

namespace {

const QString PdfFilter = QStringLiteral("PDF-Dateien (*.pdf);;Alle Dateien (*)");

std::string TableTitle(const TDivisionValues& division) {
    return "Tabelle " + DivisionTitleUtf8(division);
}

} // namespace

QByteArray AllStandingsPdf(const TSeason& season, const TRegionalSettings& settings,
                           TDaySerial printDay) {
    const TQtTextMeasure measure;
    const std::string year = season.DivisionCount() > 0 && season.Division(0).Jahr
                                 ? " " + std::to_string(*season.Division(0).Jahr)
                                 : std::string();
    return PdfOfPageSets(MakeAllStandingsPages(season, settings, printDay, measure),
                         QString::fromStdString("Tabellen" + year));
}

TDaySerial TStandingsExports::PrintDay() const {
    return OutputDay ? OutputDay() : Today();
}

QString TStandingsExports::AskFileName(const QString& caption, const QString& fileName,
                                       const QString& filter) const {
    if (AskSaveFileName)
        return AskSaveFileName(parent_, caption, fileName, filter);
    return QFileDialog::getSaveFileName(parent_, caption, fileName, filter);
}

void TStandingsExports::Print(const TDivisionValues& division, const TDivisionStandings& standings,
                              const TRegionalSettings& settings) {
    if (!RunPages)
        return;
    // The run makes the page after the Output Options dialog, like a fixture list.
    auto shown =
        std::make_shared<const std::pair<TDivisionValues, TDivisionStandings>>(division, standings);
    RunPages([shown, settings](const TTextMeasure& measure, TDaySerial day,
                               const TPageProgress& progress) {
        TGenerateResult result;
        if (progress && !progress(1)) {
            result.Cancelled = true;
            return result;
        }
        result.Pages = MakeStandingsPages(shown->first, shown->second, settings, day, measure);
        return result;
    });
}

void TStandingsExports::SavePdf(const TDivisionValues& division,
                                const TDivisionStandings& standings,
                                const TRegionalSettings& settings) {
    const QString fileName = AskFileName(QStringLiteral("Tabelle als PDF speichern"),
                                         SuggestedName(TableTitle(division), ".pdf"), PdfFilter);
    if (fileName.isEmpty())
        return;
    const TQtTextMeasure measure;
    ExportPdf(MakeStandingsPages(division, standings, settings, PrintDay(), measure), fileName);
}

void TStandingsExports::ExportCsv(const TDivisionValues& division,
                                  const TDivisionStandings& standings) {
    const QString fileName = AskFileName(QStringLiteral("Tabelle als CSV exportieren"),
                                         SuggestedName(TableTitle(division), ".csv"),
                                         QStringLiteral("CSV-Dateien (*.csv);;Alle Dateien (*)"));
    if (fileName.isEmpty())
        return;
    WriteExport(fileName, MakeStandingsCsv(standings));
}

void TStandingsExports::SaveAllPdf(const TSeason& season, const TRegionalSettings& settings) {
    if (season.DivisionCount() == 0)
        throw TStaffelError("Die Saison hat keine Staffel.");
    const std::string year =
        season.Division(0).Jahr ? " " + std::to_string(*season.Division(0).Jahr) : std::string();
    const QString fileName = AskFileName(QStringLiteral("Alle Tabellen als PDF speichern"),
                                         SuggestedName("Tabellen" + year, ".pdf"), PdfFilter);
    if (fileName.isEmpty())
        return;
    const QByteArray document = AllStandingsPdf(season, settings, PrintDay());
    WriteExport(fileName, std::string_view(document.constData(), document.size()));
}
