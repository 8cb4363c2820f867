#pragma once
// TStaffelplan, the main window: the division list with its navigator, the
// editor panel of the current division, the four action buttons, the
// information bar and the status bar. It owns the three tables (through the
// store) and both data sources, and decides when the division table is saved.
#include "data/Store.h"
#include "ui/controls/MYDBNavTypes.h"
#include "ui/windows/EditCycle.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QDialog;
class QMenuBar;
class TReportOutput;
class QLabel;
class QPushButton;
class TAboutBox;
class TBegegnungen;
class TDivisionTieGuard;
class TStandingsExports;
class TAuswahl_Spt;
class TClickPanel;
class TDataSource;
class TDivisionContextMenu;
class TSeasonMenu;
class TDBCheckBox;
class TDBEdit;
class TDBGrid;
class TDivisionContextMenu;
class TMYDBNav;
class TOutsideChangeWatch;
class TPanel;
class TSaisonuebersicht;
class TSpieltage;
class TStaffelplanCommands;
class TStatusBar;
class TVereine;

class TStaffelplan : public QWidget {
    Q_OBJECT
public:
    // Runs FormCreate; its failure is shown and creation carries on.
    // Read-only: another copy writes the data folder, or nobody may; the
    // data is shown, printed and exported, never changed or written.
    explicit TStaffelplan(TRegionalSettings settings = TRegionalSettings::German(),
                          std::function<TLocalTime()> clock = LocalNow, bool readOnly = false);
    // Runs FormDestroy, unless EndNormally or EndForced has ended the window.
    ~TStaffelplan() override;

    TStore Store;
    TRecordTable& t_staffel() { return Store.t_staffel(); }
    TRecordTable& t_spieltage() { return Store.t_spieltage(); }
    TDataSource* d_staffel = nullptr;
    TDataSource* d_spieltage = nullptr;

    // The secondary windows, created after this one at start-up.
    TSpieltage* Spieltage = nullptr;
    TAuswahl_Spt* Auswahl_Spt = nullptr;
    TAboutBox* AboutBox = nullptr;
    // The club table and the season overview, created when first opened.
    TVereine* Vereine = nullptr;
    TSaisonuebersicht* Saisonuebersicht = nullptr;
    // The results window (with the table beside it), created when first opened.
    TBegegnungen* Begegnungen = nullptr;
    TDivisionContextMenu* DivisionMenu = nullptr;

    // Seams: ending the application, running a print layout, showing a
    // window modally (returns the dialog's result).
    std::function<void()> Terminate;
    std::function<void(const std::string& layoutName)> ExecuteLayout;
    std::function<int(QDialog&)> ShowModal;
    // The report output the print button and the club plans share.
    std::shared_ptr<TReportOutput> ReportOutput;
    // The season's entries of the division list's context menu.
    TSeasonMenu* SeasonMenu = nullptr;

    // The menu bar above the client area, which holds every control below.
    QMenuBar* MenuBar = nullptr;
    QWidget* ClientArea = nullptr;
    // One action per command, shared by button, menu bar and context menu.
    TStaffelplanCommands* Commands = nullptr;
    QAction* ClubTableAction = nullptr;
    QAction* OverviewAction = nullptr;

    TPanel* Panel4 = nullptr;
    TDBGrid* DBGrid1 = nullptr;
    TMYDBNav* MYDBNav1 = nullptr;
    TPanel* Panel5 = nullptr;
    TDBEdit* DBEdit25 = nullptr; // Ueberschrift
    TDBEdit* DBEdit3 = nullptr;  // Jahr
    TDBEdit* DBEdit2 = nullptr;  // Klasse
    TDBCheckBox* DBCheckBox1 = nullptr;
    TDBEdit* DBEdit4 = nullptr; // Mannschaft
    TPanel* Panel2 = nullptr;
    std::array<TDBEdit*, 10> SlotEdits{}; // DBEdit5 .. DBEdit14: 1A .. 5B
    TPanel* Panel1 = nullptr;
    std::array<TDBEdit*, 10> DateEdits{}; // DBEdit15 .. DBEdit24: 1dat .. 8dat, 4Adat, 8Adat
    TPanel* Panel3 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* Button6 = nullptr;
    TClickPanel* Panel6 = nullptr;
    TStatusBar* StatusBar1 = nullptr;

    void DisableEditors();
    void EnableEditors();
    // The editors whose lock DisableEditors and EnableEditors switch.
    std::array<TDBEdit*, 24> AllEditors() const;

    void MYDBNav1BeforeAction(TMYDBNav* Sender, TMNavigateBtn Button);
    void MYDBNav1Click(TMYDBNav* Sender, TMNavigateBtn Button);
    void Button1Click();
    void Button3Click();
    void Button4Click();
    void Button6Click();
    void StatusBar1Click();
    void OpenVereine();
    void OpenSaisonuebersicht();
    // The current division's results and table; all tables of its season.
    void OpenBegegnungen();
    void OpenTabelle();
    void SaveAllStandingsPdf();
    void OpenBegegnungenOf(std::int32_t year, const std::string& klasse);
    QAction* BegegnungenAction = nullptr; // "Begegnungen …"
    QAction* TabelleAction = nullptr;     // "Tabelle …"
    QAction* AllTablesAction = nullptr;   // "Alle Tabellen als PDF speichern …"
    // The save after a post or a deletion: tie records follow a renamed division.
    void SaveDivisions();
    // Makes the division at that display row current and the window active.
    void SelectDivision(int displayRow);

    bool ReadOnly() const { return readOnly_; }
    // Asks to reload a data file changed from outside while the window idles.
    TOutsideChangeWatch* OutsideChanges = nullptr;

    // The store's notice about kept files, once; shown after the window appears.
    std::optional<std::string> TakeStartupNotice() { return Store.TakeStartupNotice(); }
    // Saves both tables without asking anybody, for an end from outside (a
    // signal, the session's end, a lost display); a table that cannot be
    // saved goes to a rescue file. Returns the lines for standard error.
    // The window's own end then saves nothing more.
    std::vector<std::string> EndForced();
    // The normal end's save (FormDestroy), once; a failure is shown. Run
    // before the window goes, so that a signal during its error box can
    // still turn it into a forced end.
    void EndNormally();
    // The same while the program goes on (the session asks for its data): a
    // pending row that cannot be posted stays pending.
    std::vector<std::string> SaveForced();
    // After a save behind the editing cycles' backs: the editors of every
    // window whose table has nothing pending lock as after a save.
    void LockSavedEditors();
    // Nothing pending, no dialog or box open: the moment to offer a reload.
    bool Idle();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    void CreateEditorPanel();
    void CreateButtonPanel();
    void InstallSeasonMenu(TDivisionContextMenu& menu);
    void CreateSeasonEntries();
    void CreateMenuBar();
    void AddClubPlanActions(TSaisonuebersicht& overview);
    void CreateTieEntries();
    void AddTieActions(TSaisonuebersicht& overview);
    void FormCreate();
    void FormDestroy();
    void ApplyReadOnly();

    std::unique_ptr<TEditCycle> cycle_;
    std::unique_ptr<TDivisionTieGuard> tieGuard_;
    std::unique_ptr<TStandingsExports> standingsExports_;
    bool readOnly_ = false;
    bool ended_ = false;
};
