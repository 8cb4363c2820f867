// The main window's menu bar above its fixed client area. Each entry is an
// action of the command registry or of the division list's context menu,
// the same object the button or context menu triggers. A new command on the
// current division goes into the "Staffel" menu, a new match-day command
// into "Spieltage"; its action is made where the context menu's are.
#include "ui/exports/DivisionContextMenu.h"
#include "ui/exports/SeasonMenu.h"
#include "ui/windows/Staffelplan.h"
#include "ui/windows/StaffelplanCommands.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

#include <initializer_list>

namespace {

struct TMenuEntry {
    QAction* Action; // nullptr: a separator
    // The entry's text with its mnemonic; nullptr keeps the action's own.
    const char* Text = nullptr;
};

void AddMenu(QMenuBar& bar, const char* title, std::initializer_list<TMenuEntry> entries) {
    QMenu* menu = bar.addMenu(QString::fromUtf8(title));
    // A popup does not inherit its parent's font.
    menu->setFont(bar.font());
    for (const TMenuEntry& entry : entries) {
        if (!entry.Action) {
            menu->addSeparator();
            continue;
        }
        if (entry.Text)
            entry.Action->setText(QString::fromUtf8(entry.Text));
        menu->addAction(entry.Action);
    }
}

} // namespace

void TStaffelplan::CreateMenuBar() {
    Commands = new TStaffelplanCommands(*this);
    MenuBar = new QMenuBar(this);
    const TStaffelplanCommands& c = *Commands;
    const TDivisionContextMenu& division = *DivisionMenu;
    const TSeasonMenu& season = *SeasonMenu;

    AddMenu(*MenuBar, "&Datei",
            {{c.Print},
             {division.AllPdfAction, "&Alle Staffeln als PDF speichern …"},
             {AllTablesAction, "Alle &Tabellen als PDF speichern …"},
             {nullptr},
             {c.OtherFolder},
             {nullptr},
             {c.Quit}});
    // What the context menu does with the current division.
    AddMenu(
        *MenuBar, "&Staffel",
        {{division.CheckPlanAction, "Spielplan &prüfen …"},
         {season.ProposeAction, "Schlüsselzahlen &vorschlagen …"},
         {nullptr},
         {division.OwnCalendarAction, "Spiele der &eigenen Mannschaft als Kalender exportieren …"},
         {division.DivisionCalendarAction, "Alle Spiele der Staffel als &Kalender exportieren …"},
         {division.CsvAction, "Spielplan als &CSV exportieren …"},
         {nullptr},
         {BegegnungenAction, "&Begegnungen und Ergebnisse …"},
         {TabelleAction, "&Tabelle …"},
         {nullptr},
         {c.Copy}});
    AddMenu(*MenuBar, "S&aison",
            {{OverviewAction, "&Saisonübersicht …"},
             {ClubTableAction, "&Vereine verwalten …"},
             {season.OptimizeAction, "Alle Staffeln der Saison &optimieren …"},
             {nullptr},
             {season.ClubPlanAction, "&Plan eines Vereins …"},
             {season.AllClubsAction, "Pläne &aller Vereine als PDF speichern …"}});
    AddMenu(*MenuBar, "S&pieltage",
            {{c.ManageCalendars},
             {c.AssignCalendar},
             {nullptr},
             {c.ProposeCalendar},
             {c.ImportHolidays}});
    AddMenu(*MenuBar, "&Hilfe", {{c.Help}, {nullptr}, {c.About}});

    // The client area keeps its size; the window grows by the bar's height.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setMenuBar(MenuBar);
    layout->addWidget(ClientArea);
    // Sized now, so that the window is centred with its full height.
    layout->activate();
}
