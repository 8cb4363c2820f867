#include "ui/windows/Vereine.h"

#include "data/Store.h"
#include "season/BlockedDates.h"
#include "season/ClubRowCheck.h"
#include "ui/ScreenReaderNames.h"
#include "ui/ErrorGuard.h"
#include "ui/controls/DBEdit.h"
#include "ui/controls/DBGrid.h"
#include "ui/controls/DataSource.h"
#include "ui/controls/MYDBNav.h"
#include "ui/controls/StaffelplanFonts.h"
#include "ui/controls/StaffelplanWidgets.h"

#include <QLabel>

TVereine::TVereine(TStore& store, QWidget* parent) : QDialog(parent), store_(store) {
    setWindowTitle("Vereine");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(761, 364);
    setFont(UiFont({"Tahoma", 8}));
    store_.t_vereine().BeforePost = CheckClubRow;
    d_vereine = new TDataSource(this);
    d_vereine->SetDataSet(&store_.t_vereine());
    CreateControls();

    TEditCycleActions actions;
    actions.EnableEditors = [this] { EnableEditors(); };
    actions.FocusFirstEditor = [this] { DBEdit1->setFocus(); };
    actions.SaveTable = [this] { store_.SaveVereine(); };
    actions.Leave = [this] { done(QDialog::Accepted); };
    actions.Unsaved = [this] { return store_.Unsaved(VereineFileName); };
    // As in the calendar window, the editors stay unlocked once unlocked.
    cycle_ = std::make_unique<TEditCycle>(store_.t_vereine(), std::move(actions), this);
    DisableEditors();
    NameRemainingControls(*this);
}

TVereine::~TVereine() {
    // The controls observe the store's table; they go before the data source.
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
    store_.t_vereine().BeforePost = nullptr;
}

void TVereine::CreateControls() {
    const QFont bold10 = UiFont({"Tahoma", 10, true});
    const QFont regular10 = UiFont({"Tahoma", 10});

    DBEdit1 = MakeDBEdit(this, d_vereine, "Verein", {120, 13, 220, 24}, bold10);
    LabelLeftOf(DBEdit1, "Verein:", bold10, 6);

    DBEdit2 = MakeDBEdit(this, d_vereine, "Kapazitaet", {540, 13, 41, 24}, regular10);
    LabelLeftOf(DBEdit2, "Spiele gleichzeitig (1–9):", regular10, 6);

    // The file holds the blocked dates in one form; the user reads and types
    // them in the short date format, and CheckClubRow stores what was typed.
    const auto showBlocked = [this](const std::string& stored) {
        return ShowBlockedDates(stored, store_.t_vereine().Settings());
    };
    DBEdit3 = MakeDBEdit(this, d_vereine, "Sperrtermine", {120, 50, 629, 24}, regular10);
    DBEdit3->ShowText = showBlocked;
    DBEdit3->Reset();
    LabelLeftOf(DBEdit3, "Halle gesperrt:", regular10, 6);
    const TRegionalSettings& settings = store_.t_vereine().Settings();
    const std::string example = settings.FormatDate(*DayFromCivil(2009, 10, 3)) + "; " +
                                settings.FormatDate(*DayFromCivil(2009, 12, 24));
    auto* hint =
        new QLabel(QString::fromUtf8("Daten durch Semikolon getrennt, etwa " + example), this);
    hint->setFont(UiFont({"Tahoma", 8}));
    hint->move(120, 78);
    hint->adjustSize();
    SetTextColour(hint, clNavy);

    DBGrid1 = new TDBGrid(this);
    DBGrid1->setFont(UiFont({"Tahoma", 8}));
    DBGrid1->setGeometry(4, 100, 750, 225);
    DBGrid1->SetColumns(
        {{"Verein", 200}, {"Kapazitaet", 70}, {"Sperrtermine", 440, std::nullopt, showBlocked}});
    DBGrid1->SetDataSource(d_vereine);

    MYDBNav1 = new TMYDBNav(this);
    MYDBNav1->SetBounds(8, 331, 741, 25);
    MYDBNav1->SetDataSource(d_vereine);
    MYDBNav1->BeforeAction = [this](TMYDBNav* s, TMNavigateBtn b) { MYDBNav1BeforeAction(s, b); };
    MYDBNav1->OnClick = [this](TMYDBNav* s, TMNavigateBtn b) { MYDBNav1Click(s, b); };

    setTabOrder(DBEdit1, DBEdit2);
    setTabOrder(DBEdit2, DBEdit3);
    setTabOrder(DBEdit3, DBGrid1);
}

void TVereine::DisableEditors() {
    for (TDBEdit* edit : {DBEdit1, DBEdit2, DBEdit3})
        edit->setEnabled(false);
    DBGrid1->SetReadOnly(true);
}

void TVereine::EnableEditors() {
    for (TDBEdit* edit : {DBEdit1, DBEdit2, DBEdit3})
        edit->setEnabled(true);
    DBGrid1->SetReadOnly(false);
}

void TVereine::SetReadOnly() {
    MYDBNav1->SetReadOnly(true);
    d_vereine->SetAutoEdit(false);
    for (TDBEdit* edit : {DBEdit1, DBEdit2, DBEdit3})
        edit->SetReadOnly(true);
}

void TVereine::MYDBNav1BeforeAction(TMYDBNav*, TMNavigateBtn Button) {
    cycle_->BeforeAction(Button);
}

void TVereine::MYDBNav1Click(TMYDBNav*, TMNavigateBtn Button) {
    cycle_->Click(Button);
}
