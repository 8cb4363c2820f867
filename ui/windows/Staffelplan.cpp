#include "ui/windows/Staffelplan.h"

#include "report/FixtureLayout.h"
#include "season/ClubTable.h"
#include "ui/ScreenReaderNames.h"
#include "ui/ErrorGuard.h"
#include "ui/MessageBoxes.h"
#include "ui/controls/DBCheckBox.h"
#include "ui/controls/DBEdit.h"
#include "ui/controls/DBGrid.h"
#include "ui/controls/DataSource.h"
#include "ui/controls/MYDBNav.h"
#include "ui/controls/StaffelplanFonts.h"
#include "ui/exports/DivisionContextMenu.h"
#include "ui/exports/SeasonMenu.h"
#include "ui/exports/StaffelplanPrint.h"
#include "ui/exports/StandingsExports.h"
#include "ui/windows/AboutBox.h"
#include "ui/windows/Auswahl_Spt.h"
#include "ui/windows/DivisionTieGuard.h"
#include "ui/windows/OutsideChangeWatch.h"
#include "ui/windows/ScreenReaderTexts.h"
#include "ui/windows/Spieltage.h"
#include "ui/windows/Vereine.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QPushButton>

TStaffelplan::TStaffelplan(TRegionalSettings settings, std::function<TLocalTime()> clock,
                           bool readOnly)
    : QWidget(nullptr), Store(std::move(settings), std::move(clock)), readOnly_(readOnly) {
    Terminate = [] { QCoreApplication::quit(); };
    ReportOutput = MakeStaffelReportOutput(&Store.t_staffel(), this);
    ExecuteLayout = PrintLayoutOfStaffel(ReportOutput);
    ShowModal = [](QDialog& dialog) { return dialog.exec(); };

    setWindowTitle("Staffelplan");
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    ClientArea = new QWidget(this);
    ClientArea->setFixedSize(765, 558);
    setFont(UiFont({"Tahoma", 8}));

    d_staffel = new TDataSource(this);
    d_staffel->SetDataSet(&Store.t_staffel());
    d_spieltage = new TDataSource(this);
    d_spieltage->SetDataSet(&Store.t_spieltage());
    CreateControls();
    DivisionMenu = InstallDivisionContextMenu(DBGrid1, Store.t_staffel());
    CreateSeasonEntries();
    InstallSeasonMenu(*DivisionMenu);
    CreateTieEntries();
    CreateMenuBar();
    SetScreenReaderTexts(*this);

    TEditCycleActions actions;
    actions.EnableEditors = [this] { EnableEditors(); };
    actions.FocusFirstEditor = [this] { DBEdit3->setFocus(); };
    actions.SaveTable = [this] { SaveDivisions(); };
    actions.Leave = [this] { Terminate(); };
    actions.LockEditors = [this] { DisableEditors(); };
    // The new row's 10Klasse is already false; the box only has to show it.
    actions.AfterInsert = [this] { DBCheckBox1->setCheckState(Qt::Unchecked); };
    actions.Unsaved = [this] { return Store.Unsaved(StaffelFileName); };
    cycle_ = std::make_unique<TEditCycle>(Store.t_staffel(), std::move(actions));

    Store.SetReadOnly(readOnly);
    Store.OnOutsideChange = AskAboutOutsideChange;
    Store.OnInform = [](const std::string& text) { MessageBoxes().Inform(text); };
    Guard([this] { FormCreate(); });
    readOnly_ = Store.ReadOnly(); // also when a data file could not be read
    ApplyReadOnly();
    const auto idle = [this] { return Idle(); };
    OutsideChanges = new TOutsideChangeWatch(Store, idle, this);
    NameRemainingControls(*this);
}

TStaffelplan::~TStaffelplan() {
    EndNormally();
    // The controls observe the store's tables; they go before the store does.
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
    delete d_staffel;
    delete d_spieltage;
}

void TStaffelplan::InstallSeasonMenu(TDivisionContextMenu& menu) {
    TSeasonMenuHooks hooks;
    // The halls' capacities and blocked dates, as the overview reads them.
    hooks.Clubs = [this] { return ClubsFromTable(Store.t_vereine()).Clubs; };
    // Proposals post every row they change, then save once (all or nothing).
    hooks.SaveDivisions = [this] { return Store.SaveStaffel(); };
    hooks.ReadOnly = [this] { return Store.ReadOnly(); };
    hooks.RunPages = [this](const TPageSource& source) { ReportOutput->ExecutePages(source); };
    hooks.ShowModal = [this](QDialog& dialog) { return ShowModal(dialog); };
    SeasonMenu = new TSeasonMenu(menu, Store.t_staffel(), std::move(hooks));
}

void TStaffelplan::FormCreate() {
    Store.FormCreate();
    DisableEditors();
}

void TStaffelplan::FormDestroy() {
    Store.FormDestroy();
}

void TStaffelplan::EndNormally() {
    if (ended_)
        return;
    ended_ = true;
    Guard([this] { FormDestroy(); });
}

std::vector<std::string> TStaffelplan::EndForced() {
    ended_ = true;
    return Store.FormDestroyForced();
}

std::vector<std::string> TStaffelplan::SaveForced() {
    return Store.CommitForced();
}

void TStaffelplan::LockSavedEditors() {
    if (Store.t_staffel().State() == tsBrowse)
        DisableEditors();
    if (Spieltage && Store.t_spieltage().State() == tsBrowse)
        Spieltage->DisableEditors();
    if (Vereine && Store.t_vereine().State() == tsBrowse)
        Vereine->DisableEditors();
}

// Editors stay locked for good: the buttons that would unlock them are off.
void TStaffelplan::ApplyReadOnly() {
    if (!readOnly_)
        return;
    setWindowTitle("Staffelplan (schreibgeschützt)");
    MYDBNav1->SetReadOnly(true);
    d_staffel->SetAutoEdit(false);
    d_spieltage->SetAutoEdit(false);
    for (TDBEdit* edit : AllEditors())
        edit->SetReadOnly(true);
    DBCheckBox1->SetReadOnly(true);
}

bool TStaffelplan::Idle() {
    const auto pending = [](TRecordTable& table) {
        return table.State() == tsEdit || table.State() == tsInsert;
    };
    return !pending(Store.t_staffel()) && !pending(Store.t_spieltage()) &&
           !pending(Store.t_vereine()) && !QApplication::activeModalWidget() &&
           !QApplication::activePopupWidget() && !BoxesNonInteractive();
}

std::array<TDBEdit*, 24> TStaffelplan::AllEditors() const {
    std::array<TDBEdit*, 24> editors{DBEdit25, DBEdit3, DBEdit2, DBEdit4};
    std::copy(SlotEdits.begin(), SlotEdits.end(), editors.begin() + 4);
    std::copy(DateEdits.begin(), DateEdits.end(), editors.begin() + 14);
    return editors;
}

void TStaffelplan::DisableEditors() {
    for (TDBEdit* edit : AllEditors())
        edit->setEnabled(false);
    DBCheckBox1->setEnabled(false);
    DBGrid1->SetReadOnly(true);
    MYDBNav1->SetFontColor(palette().color(QPalette::WindowText));
}

void TStaffelplan::EnableEditors() {
    // Match-day dates come only from a calendar; their editors stay locked.
    for (TDBEdit* edit : AllEditors())
        edit->setEnabled(std::find(DateEdits.begin(), DateEdits.end(), edit) == DateEdits.end());
    DBCheckBox1->setEnabled(true);
    DBGrid1->SetReadOnly(false);
    MYDBNav1->SetFontColor(Qt::red);
}

void TStaffelplan::MYDBNav1BeforeAction(TMYDBNav*, TMNavigateBtn Button) {
    cycle_->BeforeAction(Button);
}

void TStaffelplan::MYDBNav1Click(TMYDBNav*, TMNavigateBtn Button) {
    cycle_->Click(Button);
}

void TStaffelplan::Button1Click() {
    bool tenTeams = false;
    TRecordTable& table = Store.t_staffel();
    if (table.Active())
        if (TField* field = table.FindField("10klasse"))
            tenTeams = field->AsBoolean();
    ExecuteLayout(LayoutFor(tenTeams).Name);
}

void TStaffelplan::Button3Click() {
    Store.CopyStaffel();
}

void TStaffelplan::Button4Click() {
    if (Spieltage)
        ShowModal(*Spieltage);
}

void TStaffelplan::Button6Click() {
    Store.AssignSpieltage(
        [this] { return Auswahl_Spt && ShowModal(*Auswahl_Spt) == QDialog::Accepted; },
        [](const std::string& question) {
            return MessageBoxes().Confirm(question, cbYesNo) == caAccept;
        },
        [](const std::string& text) { MessageBoxes().Inform(text); });
}

void TStaffelplan::StatusBar1Click() {
    if (AboutBox)
        ShowModal(*AboutBox);
}

void TStaffelplan::closeEvent(QCloseEvent* event) {
    event->accept();
    Terminate();
}
