// The main window's way to the season in play: the results window and the
// table of the current division, all tables of its season as one PDF, the
// overview's way there, and tie records kept with a changed division.
#include "ui/ErrorGuard.h"
#include "ui/MessageBoxes.h"
#include "ui/exports/CurrentSeason.h"
#include "ui/exports/DivisionContextMenu.h"
#include "ui/exports/SeasonMenu.h"
#include "ui/exports/StandingsExports.h"
#include "ui/windows/Begegnungen.h"
#include "ui/windows/DivisionTieGuard.h"
#include "ui/windows/Saisonuebersicht.h"
#include "ui/windows/Staffelplan.h"

#include "data/StaffelError.h"
#include "season/ClubTable.h"

#include <QAction>
#include <QMenu>

void TStaffelplan::CreateTieEntries() {
    tieGuard_ = std::make_unique<TDivisionTieGuard>(Store, [](const std::string& question) {
        return MessageBoxes().Confirm(question, cbYesNo) == caAccept;
    });
    standingsExports_ = std::make_unique<TStandingsExports>(this);
    standingsExports_->RunPages = [this](const TPageSource& source) {
        ReportOutput->ExecutePages(source);
    };
    SeasonMenu->TieRecords = [this] { return TiesFromTable(Store.t_begegnungen()).Ties; };
    BegegnungenAction = DivisionMenu->AddWindowAction(QStringLiteral("Begegnungen …"),
                                                      [this] { OpenBegegnungen(); });
    TabelleAction =
        DivisionMenu->AddWindowAction(QStringLiteral("Tabelle …"), [this] { OpenTabelle(); });
    // Beside "Alle Staffeln als PDF speichern": both make one PDF of the season.
    const QList<QAction*> actions = DivisionMenu->Menu()->actions();
    const qsizetype allPdf = actions.indexOf(DivisionMenu->AllPdfAction);
    QAction* after = allPdf >= 0 && allPdf + 1 < actions.size() ? actions[allPdf + 1] : nullptr;
    AllTablesAction = DivisionMenu->AddAction(
        QStringLiteral("Alle Tabellen als PDF speichern …"), [this] { SaveAllStandingsPdf(); },
        after);
}

void TStaffelplan::SaveDivisions() {
    tieGuard_->Save();
}

void TStaffelplan::OpenBegegnungen() {
    TRecordTable& table = Store.t_staffel();
    table.FinishEdit();
    if (!table.Active() || table.DisplayIndex() < 0)
        throw TStaffelError("Es ist keine Staffel ausgewählt.");
    const TDivisionValues division = DivisionFromCurrentRow(table);
    if (!division.Jahr)
        throw TStaffelError("Die Staffel hat kein Jahr und gehört daher zu keiner Saison.");
    OpenBegegnungenOf(*division.Jahr, TrimmedTeam(division.Klasse));
}

void TStaffelplan::OpenBegegnungenOf(std::int32_t year, const std::string& klasse) {
    if (!Begegnungen) {
        Begegnungen = new TBegegnungen(Store, *standingsExports_, this);
        if (ReadOnly())
            Begegnungen->SetReadOnly();
    }
    Begegnungen->ShowDivision(year, klasse);
    Begegnungen->show();
    Begegnungen->raise();
    Begegnungen->activateWindow();
}

void TStaffelplan::OpenTabelle() {
    OpenBegegnungen();
    Begegnungen->OpenTabelle();
}

void TStaffelplan::SaveAllStandingsPdf() {
    const TCurrentSeason current =
        CurrentSeason(Store.t_staffel(), ClubsFromTable(Store.t_vereine()).Clubs,
                      TiesFromTable(Store.t_begegnungen()).Ties);
    standingsExports_->SaveAllPdf(current.Season, Store.t_staffel().Settings());
}

// The selected line's division of the overview's season.
void TStaffelplan::AddTieActions(TSaisonuebersicht& overview) {
    auto* action = new QAction(QStringLiteral("Begegnungen …"), &overview);
    QObject::connect(action, &QAction::triggered, &overview, Guarded([this, &overview] {
                         const TSeason* season = overview.Season();
                         const int division = overview.CurrentDivision();
                         if (!season || division < 0)
                             throw TStaffelError("Bitte zuerst eine Zeile mit einer Begegnung "
                                                 "w\xC3\xA4hlen.");
                         const TDivisionValues& values = season->Division(division);
                         OpenBegegnungenOf(values.Jahr.value_or(0), TrimmedTeam(values.Klasse));
                     }));
    overview.AddAction(action);
}
