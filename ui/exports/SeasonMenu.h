#pragma once
// The season's entries of the division list's context menu: slot proposals
// for the current division and for the whole season, a club's plan and every
// club's plan as PDFs. All work on a copy of the current division's season.
#include "report/qt/ExecuteLayout.h"
#include "season/Clubs.h"
#include "ui/exports/ClubPlanExports.h"
#include "ui/exports/SlotAssignment.h"

#include <QObject>

#include <functional>
#include <vector>

class QAction;
class QDialog;
class TDivisionContextMenu;

struct TSeasonMenuHooks {
    // The club table's clubs; empty: every club has the defaults.
    std::function<std::vector<TClubValues>()> Clubs;
    // Saves the division table as the main window's save point does; a
    // proposal posts all its rows and then saves once. Empty: nothing can be
    // applied.
    TSaveDivisions SaveDivisions;
    // Whether the data folder is open read-only (nothing can be applied).
    std::function<bool()> ReadOnly;
    // The main window's report output.
    std::function<void(const TPageSource&)> RunPages;
    // Shows a dialog modally; empty: exec().
    std::function<int(QDialog&)> ShowModal;
};

class TSeasonMenu : public QObject {
    Q_OBJECT
public:
    TSeasonMenu(TDivisionContextMenu& menu, TRecordTable& t_staffel, TSeasonMenuHooks hooks);

    QAction* ProposeAction = nullptr;  // "Schlüsselzahlen vorschlagen …"
    QAction* OptimizeAction = nullptr; // "Alle Staffeln der Saison optimieren …"
    QAction* ClubPlanAction = nullptr; // "Plan eines Vereins …"
    QAction* AllClubsAction = nullptr; // "Pläne aller Vereine als PDF speichern …"
    TClubPlanExports Exports;
    // The tie file's records: teams with results start pinned in the proposals.
    std::function<std::vector<TTieRecord>()> TieRecords;

    void ProposeSlots();
    void OptimizeSeason();
    // Of the current division's season.
    void ShowClubPlan();
    void SaveAllClubPdfs();
    // Of a given season (the overview's); parent: the window asking.
    void ShowClubPlan(const TSeason& season, TClubId chosen, QWidget* parent = nullptr);
    void SaveAllClubPdfs(const TSeason& season);

private:
    std::vector<TClubValues> Clubs() const;
    bool ReadOnly() const;
    int Show(QDialog& dialog) const;
    TApplyAssignments Apply();

    TRecordTable& table_;
    TSeasonMenuHooks hooks_;
    QWidget* window_;
};
