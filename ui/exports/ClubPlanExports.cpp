#include "ui/exports/ClubPlanExports.h"

#include "data/StaffelError.h"
#include "report/qt/PdfExport.h"
#include "report/qt/QtTextMeasure.h"
#include "season/ClubPlan.h"
#include "season/ClubPlanPages.h"
#include "ui/MessageBoxes.h"
#include "ui/exports/AllClubPdfs.h"
#include "ui/exports/ExportFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QProgressDialog>

#include <memory>

namespace {

TClubPlan PlanWithGames(const TSeason& season, TClubId club) {
    TClubPlan plan = MakeClubPlan(season, club);
    if (plan.Games.empty())
        throw TStaffelError("Der Verein hat in dieser Saison keine Spiele.");
    return plan;
}

// Before each club: shown, Cancel answered. Modal, so the window waits.
std::function<bool(int, int)> ProgressDialog(QWidget* parent,
                                             std::shared_ptr<QProgressDialog>& holder) {
    holder =
        std::make_shared<QProgressDialog>(QStringLiteral("Pläne der Vereine werden gespeichert …"),
                                          QStringLiteral("Abbrechen"), 0, 1, parent);
    holder->setWindowTitle(QStringLiteral("Pläne aller Vereine"));
    holder->setWindowModality(Qt::WindowModal);
    holder->setMinimumDuration(0);
    QProgressDialog* dialog = holder.get();
    return [dialog](int done, int total) {
        dialog->setMaximum(total);
        dialog->setValue(done); // handles the events, so Cancel gets through
        return !dialog->wasCanceled();
    };
}

} // namespace

TClubPlanExports::TClubPlanExports(QWidget* parent, TMessageBoxes* boxes)
    : parent_(parent), boxes_(boxes) {}

TMessageBoxes& TClubPlanExports::Boxes() const {
    return boxes_ ? *boxes_ : MessageBoxes();
}

TDaySerial TClubPlanExports::PrintDay() const {
    return OutputDay ? OutputDay() : Today();
}

QString TClubPlanExports::AskFileName(const QString& caption, const QString& fileName,
                                      const QString& filter) const {
    if (AskSaveFileName)
        return AskSaveFileName(parent_, caption, fileName, filter);
    return QFileDialog::getSaveFileName(parent_, caption, fileName, filter);
}

void TClubPlanExports::Print(const TSeason& season, TClubId club) {
    if (!RunPages)
        return;
    auto plan = std::make_shared<const TClubPlan>(PlanWithGames(season, club));
    const TRegionalSettings settings = season.Clubs().Settings();
    // The run makes the pages after the Output Options dialog, like a fixture list.
    RunPages([&season, plan, settings](const TTextMeasure& measure, TDaySerial day,
                                       const TPageProgress& progress) {
        TGenerateResult result;
        if (progress && !progress(1)) {
            result.Cancelled = true;
            return result;
        }
        result.Pages = MakeClubPlanPages(season, *plan, settings, day, measure);
        for (int page = 2; page <= static_cast<int>(result.Pages.Pages.size()); ++page)
            if (progress && !progress(page)) {
                result.Pages = {};
                result.Cancelled = true;
                break;
            }
        return result;
    });
}

void TClubPlanExports::SavePdf(const TSeason& season, TClubId club) {
    const TClubPlan plan = PlanWithGames(season, club);
    const QString fileName = AskFileName(QStringLiteral("Plan des Vereins als PDF speichern"),
                                         SuggestedName(ClubPlanTitleUtf8(plan), ".pdf"),
                                         QStringLiteral("PDF-Dateien (*.pdf);;Alle Dateien (*)"));
    if (fileName.isEmpty())
        return;
    const TQtTextMeasure measure;
    ExportPdf(MakeClubPlanPages(season, plan, season.Clubs().Settings(), PrintDay(), measure),
              fileName);
}

void TClubPlanExports::ExportCalendar(const TSeason& season, TClubId club) {
    const TClubPlan plan = PlanWithGames(season, club);
    const std::int64_t now = NowUtc ? NowUtc() : QDateTime::currentSecsSinceEpoch();
    const TCalendarExport calendar = MakeClubPlanCalendar(season, plan, now);
    SaveCalendarExport(calendar, ClubPlanTitleUtf8(plan),
                       [this](const QString& caption, const QString& name, const QString& filter) {
                           return AskFileName(caption, name, filter);
                       },
                       Boxes());
}

void TClubPlanExports::ExportCsv(const TSeason& season, TClubId club) {
    const TClubPlan plan = PlanWithGames(season, club);
    const QString fileName = AskFileName(QStringLiteral("Plan des Vereins als CSV exportieren"),
                                         SuggestedName(ClubPlanTitleUtf8(plan), ".csv"),
                                         QStringLiteral("CSV-Dateien (*.csv);;Alle Dateien (*)"));
    if (fileName.isEmpty())
        return;
    WriteExport(fileName, MakeClubPlanCsv(season, plan, season.Clubs().Settings()));
}

void TClubPlanExports::SaveAllPdfs(const TSeason& season) {
    const std::vector<TClubId> clubs = ClubsWithTeams(season);
    if (clubs.empty())
        throw TStaffelError("In dieser Saison spielt kein Verein.");
    const QString folder =
        AskFolder ? AskFolder(parent_, QStringLiteral("Ordner für die Pläne aller Vereine"))
                  : QFileDialog::getExistingDirectory(
                        parent_, QStringLiteral("Ordner für die Pläne aller Vereine"));
    if (folder.isEmpty())
        return;
    const QDir dir(folder);
    int existing = 0;
    for (const QString& name : ClubPdfFileNames(season, clubs))
        existing += dir.exists(name) ? 1 : 0;
    if (existing > 0 && Boxes().Confirm(std::to_string(existing) +
                                            (existing == 1 ? " Datei gibt" : " Dateien gibt") +
                                            " es in diesem Ordner schon. Ersetzen?",
                                        cbYesNo) != caAccept)
        return;

    std::shared_ptr<QProgressDialog> dialog;
    const std::function<bool(int, int)> progress =
        Progress ? Progress : ProgressDialog(parent_, dialog);
    const TQtTextMeasure measure;
    const TAllClubPdfs result =
        WriteAllClubPdfs(season, folder, season.Clubs().Settings(), PrintDay(), measure, progress);
    dialog.reset();

    std::string summary = std::to_string(result.Written.size()) + " von " +
                          std::to_string(result.Clubs) + " Plänen wurden nach \"" +
                          QDir::toNativeSeparators(dir.absolutePath()).toStdString() +
                          "\" geschrieben.";
    if (result.Cancelled)
        summary += " Der Vorgang wurde abgebrochen.";
    for (const std::string& error : result.Errors)
        summary += "\n" + error;
    if (result.Errors.empty())
        Boxes().Inform(summary);
    else
        Boxes().ShowError(summary);
}
