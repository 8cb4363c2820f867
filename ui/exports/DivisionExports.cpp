// The work behind the division list's context menu.
#include "data/StaffelError.h"
#include "data/file/AtomicFile.h"
#include "data/file/Cp1252.h"
#include "report/AllDivisionPages.h"
#include "report/CsvExport.h"
#include "report/PlanCheck.h"
#include "report/qt/PdfExportAll.h"
#include "report/qt/PrintPages.h"
#include "report/qt/QtTextMeasure.h"
#include "season/ClashText.h"
#include "season/ClubTable.h"
#include "season/TieLists.h"
#include "ui/MessageBoxes.h"
#include "ui/exports/CurrentSeason.h"
#include "ui/exports/DivisionContextMenu.h"
#include "ui/exports/ExportFiles.h"
#include "ui/exports/PlanCheckDialog.h"

#include <QDateTime>
#include <QFile>
#include <QFileDialog>

namespace {

std::vector<TTieRecord> TiesOfYear(TRecordTable* tieTable, std::int32_t year) {
    return tieTable ? TiesOfYear(TiesFromTable(*tieTable).Ties, year) : std::vector<TTieRecord>{};
}

// The division alone with its tie records, for its exports.
TSeason DivisionWithTies(const TDivisionValues& division, TRecordTable* tieTable,
                         const TRegionalSettings& settings) {
    return TSeason({division}, TClubDirectory({}, settings),
                   TiesOfYear(tieTable, division.Jahr.value_or(0)));
}

// The clashes of the current division with the rest of its season, one line each.
std::vector<std::string> SeasonClashTexts(TRecordTable& table, TRecordTable* clubTable,
                                          TRecordTable* tieTable) {
    const int current = table.DisplayIndex();
    const std::vector<TDivisionValues> all = AllDivisions(table);
    if (current < 0 || current >= static_cast<int>(all.size()) || !all[current].Jahr)
        return {};
    const std::int32_t year = *all[current].Jahr;
    int index = 0;
    for (int r = 0; r < current; ++r)
        index += all[r].Jahr == year ? 1 : 0;
    std::vector<TClubValues> clubs;
    if (clubTable)
        clubs = ClubsFromTable(*clubTable).Clubs;
    const TSeason season(DivisionsOfYear(all, year), TClubDirectory(clubs, table.Settings()),
                         TiesOfYear(tieTable, year));
    std::vector<std::string> texts;
    for (const TClash& clash : ClashesOfDivision(season, index))
        texts.push_back(ClashTextUtf8(season, clash));
    return texts;
}

} // namespace

QString TDivisionContextMenu::AskFileName(const QString& caption, const QString& fileName,
                                          const QString& filter) const {
    if (AskSaveFileName)
        return AskSaveFileName(grid_->window(), caption, fileName, filter);
    return QFileDialog::getSaveFileName(grid_->window(), caption, fileName, filter);
}

void TDivisionContextMenu::CheckPlan() {
    table_.FinishEdit();
    const TDivisionValues division = DivisionFromCurrentRow(table_);
    TPlanCheckDialog dialog(division, ::CheckPlan(division, table_.Settings()),
                            SeasonClashTexts(table_, ClubTable, TieTable), grid_->window());
    if (ShowModal)
        ShowModal(dialog);
    else
        dialog.exec();
}

void TDivisionContextMenu::ExportCalendar(TCalendarScope scope) {
    table_.FinishEdit();
    const TDivisionValues division = DivisionFromCurrentRow(table_);
    const std::int64_t now = NowUtc ? NowUtc() : QDateTime::currentSecsSinceEpoch();
    const TSeason season = DivisionWithTies(division, TieTable, table_.Settings());
    const TCalendarExport calendar = MakeCalendar(division, scope, now, TieLookupOf(season, 0));
    std::string title = DivisionTitleUtf8(division);
    if (scope == csOwnTeam)
        title += " " + Cp1252ToUtf8(TrimmedTeam(division.Mannschaft));
    SaveCalendarExport(
        calendar, title,
        [this](const QString& caption, const QString& name, const QString& filter) {
            return AskFileName(caption, name, filter);
        },
        Boxes());
}

void TDivisionContextMenu::ExportCsv() {
    table_.FinishEdit();
    const TDivisionValues division = DivisionFromCurrentRow(table_);
    const TSeason season = DivisionWithTies(division, TieTable, table_.Settings());
    const std::string csv = MakeFixtureCsv(division, table_.Settings(), TieLookupOf(season, 0));
    const QString fileName = AskFileName(QStringLiteral("Spielplan als CSV exportieren"),
                                         SuggestedName(DivisionTitleUtf8(division), ".csv"),
                                         QStringLiteral("CSV-Dateien (*.csv);;Alle Dateien (*)"));
    if (fileName.isEmpty())
        return;
    WriteExport(fileName, csv);
}

void TDivisionContextMenu::ExportAllPdf() {
    table_.FinishEdit();
    if (!table_.Active() || table_.DisplayCount() == 0)
        throw TStaffelError("Es gibt keine Staffel, die gespeichert werden könnte.");
    const QString fileName = AskFileName(QStringLiteral("Alle Staffeln als PDF speichern"),
                                         QStringLiteral("Alle Staffeln.pdf"),
                                         QStringLiteral("PDF-Dateien (*.pdf);;Alle Dateien (*)"));
    if (fileName.isEmpty())
        return;
    const TQtTextMeasure measure;
    const auto sets = GenerateAllDivisionPages(table_, OutputDay ? OutputDay() : Today(), measure);
    const QByteArray pdf = PdfOfPageSets(sets, AllDivisionsDocumentTitle());
    WriteExport(fileName, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
}
