#include "ui/windows/Spieltage.h"

#include "data/Records.h"
#include "data/Store.h"
#include "ui/ScreenReaderNames.h"
#include "ui/ErrorGuard.h"
#include "ui/controls/DBEdit.h"
#include "ui/controls/DBGrid.h"
#include "ui/controls/DataSource.h"
#include "ui/controls/MYDBNav.h"
#include "ui/controls/StaffelplanFonts.h"
#include "ui/controls/StaffelplanWidgets.h"
#include "ui/windows/ScreenReaderTexts.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

TSpieltage::TSpieltage(TStore& store, TDataSource* d_spieltage, QWidget* parent)
    : QDialog(parent), store_(store) {
    setWindowTitle("Spieltage");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(761, 364);
    setFont(UiFont({"Tahoma", 8}));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().topLeft());
    CreateControls(d_spieltage);
    SetScreenReaderTexts(*this);

    TEditCycleActions actions;
    actions.EnableEditors = [this] { EnableEditors(); };
    actions.FocusFirstEditor = [this] { DBEdit3->setFocus(); };
    actions.SaveTable = [this] { store_.SaveSpieltage(); };
    actions.Leave = [this] { done(QDialog::Accepted); };
    actions.Unsaved = [this] { return store_.Unsaved(SpieltageFileName); };
    // Once unlocked, the editors stay unlocked: no LockEditors.
    cycle_ = std::make_unique<TEditCycle>(store_.t_spieltage(), std::move(actions), this);

    Guard([this] { FormCreate(); });
    NameRemainingControls(*this);
}

TSpieltage::~TSpieltage() = default;

void TSpieltage::CreateControls(TDataSource* d_spieltage) {
    const QFont bold10 = UiFont({"Tahoma", 10, true});
    const QFont regular10 = UiFont({"Tahoma", 10});

    DBEdit3 = new TDBEdit(this);
    DBEdit3->setFont(bold10);
    DBEdit3->setGeometry(167, 13, 51, 24);
    DBEdit3->SetDataSource(d_spieltage);
    DBEdit3->SetDataField("Jahr");
    LabelLeftOf(DBEdit3, "Spieltage im Jahr:", bold10, 6);

    const int rowY[4] = {50, 74, 98, 122};
    for (int i = 0; i < SpieltagCount; ++i) {
        const auto key = static_cast<TSpieltagKey>(i);
        QRect place;
        if (i < 8)
            place = QRect(i < 4 ? 108 : 309, rowY[i % 4], 81, 24);
        else
            place = QRect(540, rowY[i - 8], 81, 24);
        auto* edit = new TDBEdit(this);
        edit->setFont(regular10);
        edit->setGeometry(place);
        edit->SetDataSource(d_spieltage);
        edit->SetDataField(SpieltagDateFieldName(key));
        const auto keyName = SpieltagKeyName(key);
        auto* label = LabelLeftOf(
            edit, "Spieltag " + QString::fromLatin1(keyName.data(), keyName.size()), regular10, 6);
        if (i >= 8) {
            SetTextColour(edit, clMaroon);
            SetTextColour(label, clMaroon);
        }
        DateEdits[i] = edit;
    }

    DBGrid1 = new TDBGrid(this);
    DBGrid1->setFont(UiFont({"Tahoma", 8}));
    DBGrid1->setGeometry(4, 154, 750, 171);
    std::vector<TDBGridColumn> columns{{"Jahr"}};
    for (int i = 0; i < SpieltagCount; ++i)
        columns.push_back({SpieltagDateFieldName(static_cast<TSpieltagKey>(i))});
    DBGrid1->SetColumns(std::move(columns));
    DBGrid1->SetDataSource(d_spieltage);

    // The free space under the 4A and 8A dates.
    ButtonVorschlag = new QPushButton(QStringLiteral("Spieltage vorschlagen …"), this);
    ButtonVorschlag->setGeometry(470, 98, 151, 24);
    ButtonVorschlag->setAutoDefault(false);
    connect(ButtonVorschlag, &QPushButton::clicked, this,
            Guarded([this] { SpieltageVorschlagen(); }));
    ButtonFerien = new QPushButton(QStringLiteral("Ferien importieren …"), this);
    ButtonFerien->setGeometry(470, 122, 151, 24);
    ButtonFerien->setAutoDefault(false);
    connect(ButtonFerien, &QPushButton::clicked, this, Guarded([this] { FerienImportieren(); }));

    MYDBNav1 = new TMYDBNav(this);
    MYDBNav1->SetBounds(8, 331, 741, 25);
    MYDBNav1->SetDataSource(d_spieltage);
    MYDBNav1->BeforeAction = [this](TMYDBNav* s, TMNavigateBtn b) { MYDBNav1BeforeAction(s, b); };
    MYDBNav1->OnClick = [this](TMYDBNav* s, TMNavigateBtn b) { MYDBNav1Click(s, b); };

    QWidget* previous = DBEdit3;
    for (TDBEdit* edit : DateEdits) {
        setTabOrder(previous, edit);
        previous = edit;
    }
    setTabOrder(previous, DBGrid1);
}

void TSpieltage::FormCreate() {
    DisableEditors();
}

void TSpieltage::DisableEditors() {
    DBEdit3->setEnabled(false);
    for (TDBEdit* edit : DateEdits)
        edit->setEnabled(false);
    DBGrid1->SetReadOnly(true);
}

void TSpieltage::EnableEditors() {
    DBEdit3->setEnabled(true);
    for (TDBEdit* edit : DateEdits)
        edit->setEnabled(true);
    DBGrid1->SetReadOnly(false);
}

void TSpieltage::SetReadOnly() {
    readOnly_ = true;
    ButtonFerien->setEnabled(false);
    MYDBNav1->SetReadOnly(true);
    DBEdit3->SetReadOnly(true);
    for (TDBEdit* edit : DateEdits)
        edit->SetReadOnly(true);
}

void TSpieltage::MYDBNav1BeforeAction(TMYDBNav*, TMNavigateBtn Button) {
    cycle_->BeforeAction(Button);
}

void TSpieltage::MYDBNav1Click(TMYDBNav*, TMNavigateBtn Button) {
    cycle_->Click(Button);
}
