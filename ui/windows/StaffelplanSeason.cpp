// The main window's way to the club table and the season overview: two
// entries of the division list's context menu, and the division a double
// click in the overview asks for.
#include "ui/controls/DBGrid.h"
#include "ui/exports/DivisionContextMenu.h"
#include "ui/windows/Saisonuebersicht.h"
#include "ui/windows/Staffelplan.h"
#include "ui/windows/Vereine.h"

void TStaffelplan::CreateSeasonEntries() {
    DivisionMenu->ClubTable = &Store.t_vereine();
    DivisionMenu->AddWindowAction(QStringLiteral("Vereine verwalten …"), [this] { OpenVereine(); });
    DivisionMenu->AddWindowAction(QStringLiteral("Saisonübersicht …"),
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
        Saisonuebersicht->ShowSeason();
    } else if (!Saisonuebersicht->isVisible()) {
        // Back to the season of the current division.
        Saisonuebersicht->ShowSeason();
    }
    Saisonuebersicht->show();
    Saisonuebersicht->raise();
    Saisonuebersicht->activateWindow();
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
