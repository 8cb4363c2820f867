#include "ui/windows/Begegnungen.h"

#include "data/StaffelError.h"
#include "data/Store.h"
#include "report/qt/QtText.h"
#include "season/Clubs.h"
#include "season/TieEntry.h"
#include "season/TieRules.h"
#include "season/TieTable.h"
#include "ui/ScreenReaderNames.h"
#include "ui/ErrorGuard.h"
#include "ui/MessageBoxes.h"
#include "ui/controls/StaffelplanFonts.h"
#include "ui/controls/StaffelplanWidgets.h"
#include "ui/exports/CurrentSeason.h"
#include "ui/windows/Tabelle.h"
#include "ui/windows/TieGrid.h"
#include "ui/windows/TieRowsModel.h"

#include <QHeaderView>
#include <QInputDialog>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>

TBegegnungen::TBegegnungen(TStore& store, TStandingsExports& exports, QWidget* parent)
    : QDialog(parent), store_(store), exports_(exports) {
    setWindowTitle(QStringLiteral("Begegnungen"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(900, 552);
    setFont(UiFont({"Tahoma", 8}));
    CreateControls();
    // As in the overview: the main window deletes this window before the store.
    store_.AfterSave.push_back([self = QPointer<TBegegnungen>(this)](const std::string& name) {
        if (self)
            Guard([&] { self->AfterSave(name); });
    });
    NameRemainingControls(*this);
}

TBegegnungen::~TBegegnungen() = default;

void TBegegnungen::CreateControls() {
    Label1 = new QLabel(this);
    Label1->setFont(UiFont({"Tahoma", 10, true}));
    Label1->setGeometry(8, 8, 884, 20);
    auto* hint = new QLabel(QStringLiteral("Ergebnis eintippen: Spiele, Tab, Sätze, Tab, Punkte; "
                                           "Enter speichert und geht zur nächsten offenen "
                                           "Begegnung. Verlegt: Datum und Uhrzeit überschreiben."),
                            this);
    hint->setGeometry(8, 30, 884, 16);
    SetTextColour(hint, clNavy);

    Rows = new TTieRowsModel(this);
    Grid1 = new TTieGrid(this);
    Grid1->setModel(Rows);
    Grid1->setGeometry(4, 50, 892, 300);
    const int widths[tcCount] = {36, 80, 52, 135, 135, 100, 50, 50, 62, 50, 120};
    for (int c = 0; c < tcCount; ++c)
        Grid1->setColumnWidth(c, widths[c]);
    Grid1->OnEnter = [this] { SaveAndNext(); };

    const struct {
        QPushButton*& Button;
        const char* Text;
        TTieState State;
    } states[] = {{ButtonKampflosHeim, "kampflos Heim", TTieState::KampflosHeim},
                  {ButtonKampflosGast, "kampflos Gast", TTieState::KampflosGast},
                  {ButtonAbgesetzt, "abgesetzt", TTieState::Abgesetzt},
                  {ButtonUmgewertetHeim, "umgewertet Heim", TTieState::UmgewertetHeim},
                  {ButtonUmgewertetGast, "umgewertet Gast", TTieState::UmgewertetGast},
                  {ButtonOffen, "offen", TTieState::Offen}};
    int left = 8;
    for (const auto& state : states) {
        state.Button = new QPushButton(QString::fromUtf8(state.Text), this);
        state.Button->setGeometry(left, 356, 104, 25);
        state.Button->setAutoDefault(false);
        const TTieState value = state.State;
        connect(state.Button, &QPushButton::clicked, this,
                Guarded([this, value] { SetState(value); }));
        left += 108;
    }
    ButtonUndo = new QPushButton(QStringLiteral("Rückgängig"), this);
    ButtonUndo->setGeometry(792, 356, 100, 25);
    ButtonUndo->setAutoDefault(false);
    connect(ButtonUndo, &QPushButton::clicked, this, Guarded([this] { Undo(); }));
    auto* undoKey = new QShortcut(QKeySequence::Undo, this);
    connect(undoKey, &QShortcut::activated, this, Guarded([this] { Undo(); }));

    auto* orphansLabel = new QLabel(QStringLiteral("Begegnungen ohne Spiel:"), this);
    orphansLabel->setFont(UiFont({"Tahoma", 8, true}));
    orphansLabel->setGeometry(8, 392, 400, 16);
    ListOrphans = new QListWidget(this);
    ListOrphans->setGeometry(4, 410, 700, 96);
    ButtonReattach = new QPushButton(QStringLiteral("Einem Spiel zuordnen …"), this);
    ButtonReattach->setGeometry(712, 410, 180, 25);
    ButtonDeleteOrphan = new QPushButton(QStringLiteral("Löschen"), this);
    ButtonDeleteOrphan->setGeometry(712, 440, 180, 25);
    connect(ButtonReattach, &QPushButton::clicked, this, Guarded([this] { Reattach(); }));
    connect(ButtonDeleteOrphan, &QPushButton::clicked, this,
            Guarded([this] { ConfirmDeleteOrphan(); }));
    connect(ListOrphans, &QListWidget::currentRowChanged, this, [this] { UpdateButtons(); });

    ButtonTabelle = new QPushButton(QStringLiteral("Tabelle …"), this);
    ButtonTabelle->setGeometry(8, 518, 100, 25);
    ButtonClose = new QPushButton(QStringLiteral("Schließen"), this);
    ButtonClose->setGeometry(807, 518, 85, 25);
    for (QPushButton* button : {ButtonReattach, ButtonDeleteOrphan, ButtonTabelle, ButtonClose})
        button->setAutoDefault(false);
    connect(ButtonTabelle, &QPushButton::clicked, this, Guarded([this] { OpenTabelle(); }));
    connect(ButtonClose, &QPushButton::clicked, this, &QDialog::close);
    connect(Grid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { UpdateButtons(); });
}

void TBegegnungen::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (stale_)
        Guard([this] { Refresh(); });
}

void TBegegnungen::AfterSave(const std::string& fileName) {
    if (saving_ || (fileName != StaffelFileName && fileName != BegegnungenFileName))
        return;
    if (!isVisible()) {
        stale_ = true;
        return;
    }
    Refresh();
}

void TBegegnungen::ShowDivision(std::int32_t year, const std::string& klasse) {
    year_ = year;
    klasse_ = klasse;
    undo_.reset();
    Refresh();
    const int first = Rows->NextOpen(-1);
    if (first >= 0) {
        Grid1->setCurrentIndex(Rows->index(first, tcSpiele));
        Grid1->scrollTo(Rows->index(first, tcSpiele));
    }
    Grid1->setFocus();
}

void TBegegnungen::Refresh() {
    stale_ = false;
    const std::vector<TTieRecord> ties = TiesFromTable(store_.t_begegnungen()).Ties;
    TCurrentSeason current = SeasonOfYear(store_.t_staffel(), {}, ties, year_);
    season_ = std::make_unique<TSeason>(std::move(current.Season));
    division_ = season_->FindDivision(year_, klasse_);
    ShowContent();
}

void TBegegnungen::ShowContent() {
    const int row = CurrentRow();
    const int column = Grid1->currentIndex().isValid() ? Grid1->currentIndex().column() : tcSpiele;
    const std::optional<TSeasonGame> current =
        row >= 0 ? std::optional<TSeasonGame>(Rows->Game(row)) : std::nullopt;
    Rows->SetDivision(season_.get(), division_, store_.t_staffel().Settings());
    if (division_ >= 0)
        Label1->setText(
            QStringLiteral("Begegnungen %1")
                .arg(QString::fromStdString(DivisionTitleUtf8(season_->Division(division_)))));
    else
        Label1->setText(
            QStringLiteral("Die Staffel %1 gibt es nicht mehr.")
                .arg(QString::fromStdString(DivisionTitleUtf8(klasse_, std::to_string(year_)))));
    if (current)
        if (const int at = Rows->RowOf(*current); at >= 0)
            Grid1->setCurrentIndex(Rows->index(at, column));

    orphans_ = season_->OrphanTies();
    ListOrphans->clear();
    for (const TTieRecord& record : orphans_)
        ListOrphans->addItem(ToQString(TieRecordLine(record)));
    if (Tabelle)
        Tabelle->ShowStandings(*season_, division_);
    UpdateButtons();
}

void TBegegnungen::UpdateButtons() {
    const bool tie = CurrentRow() >= 0 && !readOnly_;
    for (QPushButton* button : {ButtonKampflosHeim, ButtonKampflosGast, ButtonAbgesetzt,
                                ButtonUmgewertetHeim, ButtonUmgewertetGast, ButtonOffen})
        button->setEnabled(tie);
    ButtonUndo->setEnabled(undo_.has_value() && !readOnly_);
    const bool orphan = ListOrphans->currentRow() >= 0 && !readOnly_;
    ButtonReattach->setEnabled(orphan && division_ >= 0);
    ButtonDeleteOrphan->setEnabled(orphan);
    ButtonTabelle->setEnabled(division_ >= 0);
}

int TBegegnungen::CurrentRow() const {
    const QModelIndex index = Grid1->currentIndex();
    return index.isValid() ? index.row() : -1;
}

void TBegegnungen::SetReadOnly() {
    readOnly_ = true;
    Rows->SetReadOnly(true);
    if (Tabelle)
        Tabelle->SetReadOnly(true);
    UpdateButtons();
}

void TBegegnungen::Write(const std::function<void()>& work) {
    saving_ = true;
    try {
        work();
    } catch (...) {
        // A failed write may leave the change in the table: show what it holds.
        saving_ = false;
        Refresh();
        throw;
    }
    saving_ = false;
}

bool TBegegnungen::Save(const TSeasonGame& game, const TTieRecord& record) {
    const int row = Rows->RowOf(game);
    std::optional<TTieRecord> before;
    if (const TTieRecord* stored = season_->Tie(game))
        before = *stored;
    if (before ? *before == record : record == NewTieRecord(*season_, game)) {
        Rows->ForgetTyped(row);
        return true;
    }
    // The core's rule refuses it before anything changes.
    if (const auto problem = TieRecordProblem(record)) {
        MessageBoxes().ShowError(*problem);
        return false;
    }
    try {
        Write([&] { SaveTieRecord(store_, record); });
    } catch (const std::exception& error) {
        MessageBoxes().ShowError(error.what());
        return false;
    }
    Rows->ForgetTyped(row);
    undo_ = TUndo{record, before};
    season_->PutTie(record);
    ShowContent();
    return true;
}

std::optional<TTieRecord> TBegegnungen::TypedRecord(int row) const {
    try {
        return TypedTieRecord(*season_, Rows->Game(row), Rows->Typed(row),
                              store_.t_staffel().Settings());
    } catch (const TStaffelError& error) {
        MessageBoxes().ShowError(error.what());
        return std::nullopt;
    }
}

bool TBegegnungen::SaveRow(int row) {
    if (row < 0 || row >= Rows->rowCount() || readOnly_)
        return false;
    const std::optional<TTieRecord> record = TypedRecord(row);
    return record && Save(Rows->Game(row), *record);
}

void TBegegnungen::SaveAndNext() {
    const int row = CurrentRow();
    if (row < 0)
        return;
    const TSeasonGame game = Rows->Game(row);
    if (!SaveRow(row)) {
        Grid1->setFocus();
        return;
    }
    const int at = Rows->RowOf(game);
    const int next = Rows->NextOpen(at);
    if (next >= 0)
        Grid1->EditCell(next, tcSpiele);
    else
        Grid1->setCurrentIndex(Rows->index(at, tcSpiele));
}

void TBegegnungen::SetState(TTieState state) {
    const int row = CurrentRow();
    if (row < 0 || readOnly_)
        throw TStaffelError("Es ist keine Begegnung ausgewählt.");
    const TSeasonGame game = Rows->Game(row);
    if (const std::optional<TTieRecord> record = TypedRecord(row))
        if (Save(game, WithTieState(*record, state)))
            SelectGame(game);
}

void TBegegnungen::SelectGame(const TSeasonGame& game) {
    if (const int at = Rows->RowOf(game); at >= 0)
        Grid1->setCurrentIndex(Rows->index(at, tcSpiele));
    Grid1->setFocus();
}

void TBegegnungen::Undo() {
    if (!undo_ || readOnly_)
        return;
    const TUndo undo = *undo_;
    Write([&] {
        if (undo.Before)
            SaveTieRecord(store_, *undo.Before);
        else
            RemoveTieRecord(store_, undo.Saved);
    });
    undo_.reset();
    if (undo.Before)
        season_->PutTie(*undo.Before);
    else
        season_->RemoveTie(undo.Saved);
    ShowContent();
    const std::string home = FoldClubName(undo.Saved.Heim), away = FoldClubName(undo.Saved.Gast);
    for (int r = 0; r < Rows->rowCount(); ++r)
        if (FoldClubName(Rows->Game(r).HomeTeam) == home &&
            FoldClubName(Rows->Game(r).AwayTeam) == away)
            SelectGame(Rows->Game(r));
}

std::vector<int> TBegegnungen::RowsWithoutRecord() const {
    std::vector<int> rows;
    for (int r = 0; r < Rows->rowCount(); ++r) {
        const TSeasonGame& game = Rows->Game(r);
        if (!season_->Tie(game) && !game.HomeTeam.empty() && !game.AwayTeam.empty())
            rows.push_back(r);
    }
    return rows;
}

void TBegegnungen::ReattachOrphan(int orphan, int row) {
    if (orphan < 0 || orphan >= static_cast<int>(orphans_.size()) || row < 0 ||
        row >= Rows->rowCount() || division_ < 0)
        throw TStaffelError("Es ist kein Eintrag oder keine Begegnung ausgewählt.");
    const TTieRecord old = orphans_[orphan];
    if (IsTeamState(old.Status))
        throw TStaffelError("Der Eintrag einer Mannschaft allein geh\xC3\xB6rt zu keinem Spiel; "
                            "er kann nur gel\xC3\xB6scht werden.");
    const TSeasonGame game = Rows->Game(row);
    if (season_->Tie(game))
        throw TStaffelError("Diese Begegnung hat schon einen Eintrag.");
    if (game.HomeTeam.empty() || game.AwayTeam.empty())
        throw TStaffelError("Dieser Begegnung fehlt eine Mannschaft.");
    const TTieRecord tie = NewTieRecord(*season_, game);
    TTieRecord record = old;
    record.Jahr = tie.Jahr;
    record.Klasse = tie.Klasse;
    record.Spieltag = tie.Spieltag;
    record.Heim = tie.Heim;
    record.Gast = tie.Gast;
    if (const auto problem = TieRecordProblem(record))
        throw TStaffelError(*problem);
    // One save: the record under its new key, the old one gone.
    TRecordTable& table = store_.t_begegnungen();
    Write([&] {
        PutTieRecord(table, record);
        DeleteTieRecord(table, old);
        store_.SaveBegegnungen();
    });
    undo_.reset();
    Refresh();
}

void TBegegnungen::DeleteOrphan(int orphan) {
    if (orphan < 0 || orphan >= static_cast<int>(orphans_.size()))
        throw TStaffelError("Es ist kein Eintrag ausgew\xC3\xA4hlt.");
    Write([&] { RemoveTieRecord(store_, orphans_[orphan]); });
    undo_.reset();
    Refresh();
}

void TBegegnungen::Reattach() {
    const int orphan = ListOrphans->currentRow();
    const std::vector<int> rows = RowsWithoutRecord();
    if (rows.empty())
        throw TStaffelError("Jede Begegnung dieser Staffel hat schon einen Eintrag.");
    QStringList texts;
    for (int r : rows)
        texts << QStringLiteral("%1. Spieltag, %2: %3 – %4")
                     .arg(Rows->index(r, tcDay).data().toString(),
                          Rows->index(r, tcDate).data().toString(),
                          Rows->index(r, tcHome).data().toString(),
                          Rows->index(r, tcAway).data().toString());
    int choice = -1;
    if (ChooseTie) {
        choice = ChooseTie(texts);
    } else {
        bool ok = false;
        const QString chosen =
            QInputDialog::getItem(this, QStringLiteral("Einem Spiel zuordnen"),
                                  QStringLiteral("Begegnung:"), texts, 0, false, &ok);
        choice = ok ? static_cast<int>(texts.indexOf(chosen)) : -1;
    }
    if (choice >= 0 && choice < static_cast<int>(rows.size()))
        ReattachOrphan(orphan, rows[choice]);
}

void TBegegnungen::ConfirmDeleteOrphan() {
    const int orphan = ListOrphans->currentRow();
    if (orphan < 0 || orphan >= static_cast<int>(orphans_.size()))
        return;
    const std::string line = Cp1252ToUtf8(TieRecordLine(orphans_[orphan]));
    if (MessageBoxes().Confirm("Den Eintrag \"" + line + "\" l\xC3\xB6schen?", cbYesNo) == caAccept)
        DeleteOrphan(orphan);
}

void TBegegnungen::OpenTabelle() {
    if (!Tabelle) {
        Tabelle = new TTabelle(store_, exports_, this);
        Tabelle->SetReadOnly(readOnly_);
        // A team's record changes only its division: no rereading of the tables.
        Tabelle->Changed = [this](const TTieRecord& record, bool removed) {
            if (removed)
                season_->RemoveTie(record);
            else
                season_->PutTie(record);
            ShowContent();
        };
    }
    if (season_)
        Tabelle->ShowStandings(*season_, division_);
    if (!Tabelle->isVisible())
        Tabelle->move(frameGeometry().topRight() + QPoint(8, 0));
    Tabelle->show();
    Tabelle->raise();
    Tabelle->activateWindow();
}
