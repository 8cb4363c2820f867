// The main window's way to the club table and the season overview: two
// entries of the division list's context menu, the division a double click
// in the overview asks for, and the overview's way to the club plans.
#include "ui/ErrorGuard.h"
#include "ui/controls/DBGrid.h"
#include "ui/exports/DivisionContextMenu.h"
#include "ui/exports/SeasonMenu.h"
#include "ui/ScreenReaderNames.h"
#include "ui/windows/Saisonuebersicht.h"
#include "ui/windows/Staffelplan.h"
#include "ui/windows/Vereine.h"

#include <QAction>

void TStaffelplan::CreateSeasonEntries() {
    DivisionMenu->ClubTable = &Store.t_vereine();
    DivisionMenu->TieTable = &Store.t_begegnungen();
    ClubTableAction = DivisionMenu->AddWindowAction(QStringLiteral("Vereine verwalten …"),
                                                    [this] { OpenVereine(); });
    OverviewAction = DivisionMenu->AddWindowAction(QStringLiteral("Saisonübersicht …"),
                                                   [this] { OpenSaisonuebersicht(); });
}

void TStaffelplan::OpenVereine() {
    if (!Vereine) {
        Vereine = new TVereine(Store, this);
        if (ReadOnly())
            Vereine->SetReadOnly();
    }
    ShowModal(*Vereine);
}

void TStaffelplan::OpenSaisonuebersicht() {
    if (!Saisonuebersicht) {
        Saisonuebersicht = new TSaisonuebersicht(Store, this);
        Saisonuebersicht->SelectDivision = [this](int row) { SelectDivision(row); };
        AddClubPlanActions(*Saisonuebersicht);
        AddTieActions(*Saisonuebersicht);
        NameRemainingControls(*Saisonuebersicht); // the buttons added here too
        Saisonuebersicht->ShowSeason();
    } else if (!Saisonuebersicht->isVisible()) {
        // Back to the season of the current division.
        Saisonuebersicht->ShowSeason();
    }
    Saisonuebersicht->show();
    Saisonuebersicht->raise();
    Saisonuebersicht->activateWindow();
}

// The plans of the season shown, the selected line's club chosen first.
// A copy of the season: a save while a dialog is up must not pull it away.
void TStaffelplan::AddClubPlanActions(TSaisonuebersicht& overview) {
    const auto add = [&overview](const QString& text, std::function<void(const TSeason&)> work) {
        auto* action = new QAction(text, &overview);
        QObject::connect(action, &QAction::triggered, &overview,
                         Guarded([&overview, work = std::move(work)] {
                             if (const TSeason* season = overview.Season())
                                 work(TSeason(*season));
                         }));
        overview.AddAction(action);
    };
    add(QStringLiteral("Plan eines Vereins …"), [this, &overview](const TSeason& season) {
        SeasonMenu->ShowClubPlan(season, overview.CurrentClub(), &overview);
    });
    add(QStringLiteral("Pläne aller Vereine als PDF speichern …"),
        [this](const TSeason& season) { SeasonMenu->SaveAllClubPdfs(season); });
}

void TStaffelplan::SelectDivision(int displayRow) {
    TRecordTable& table = Store.t_staffel();
    if (!table.Active() || displayRow < 0 || displayRow >= table.DisplayCount())
        return;
    table.MoveTo(displayRow);
    raise();
    activateWindow();
    DBGrid1->setFocus();
}
