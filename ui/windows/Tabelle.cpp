#include "ui/windows/Tabelle.h"

#include "data/StaffelError.h"
#include "data/Store.h"
#include "report/qt/QtText.h"
#include "season/Clubs.h"
#include "season/StandingsPages.h"
#include "season/TieTable.h"
#include "ui/ScreenReaderNames.h"
#include "ui/ErrorGuard.h"
#include "ui/MessageBoxes.h"
#include "ui/controls/StaffelplanFonts.h"
#include "ui/exports/StandingsExports.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

namespace {

std::optional<TDeductionInput> DeductionDialog(QWidget* parent, const QString& team,
                                               const TDeductionInput& current) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Punktabzug"));
    dialog.setFont(parent->font());
    auto* form = new QFormLayout(&dialog);
    form->addRow(new QLabel(team, &dialog));
    auto* points = new QSpinBox(&dialog);
    points->setRange(0, 99);
    points->setValue(current.Points);
    auto* reason = new QLineEdit(ToQString(current.Reason), &dialog);
    reason->setMaxLength(100);
    reason->setMinimumWidth(300);
    form->addRow(QStringLiteral("Abgezogene Punkte (0: keiner):"), points);
    form->addRow(QStringLiteral("Grund:"), reason);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return TDeductionInput{points->value(), FromQString(reason->text())};
}

} // namespace

TTabelle::TTabelle(TStore& store, TStandingsExports& exports, QWidget* parent)
    : QDialog(parent), store_(store), exports_(exports) {
    setWindowTitle(QStringLiteral("Tabelle"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(761, 420);
    setFont(UiFont({"Tahoma", 8}));
    CreateControls();
    AskDeduction = [this](const QString& team, const TDeductionInput& current) {
        return DeductionDialog(this, team, current);
    };
    NameRemainingControls(*this);
}

TTabelle::~TTabelle() = default;

void TTabelle::CreateControls() {
    Label1 = new QLabel(this);
    Label1->setFont(UiFont({"Tahoma", 10, true}));
    Label1->setGeometry(8, 8, 745, 20);

    Grid1 = new QTableWidget(0, scCount, this);
    Grid1->setGeometry(4, 34, 753, 262);
    Grid1->setHorizontalHeaderLabels(
        {QStringLiteral("Platz"), QStringLiteral("Mannschaft"), QStringLiteral("Beg."),
         QStringLiteral("S"), QStringLiteral("U"), QStringLiteral("N"), QStringLiteral("Punkte"),
         QStringLiteral("Spiele"), QStringLiteral("+/-"), QStringLiteral("Sätze"),
         QStringLiteral("+/-"), QStringLiteral("Ballpunkte"), QStringLiteral("+/-")});
    Grid1->verticalHeader()->hide();
    Grid1->verticalHeader()->setDefaultSectionSize(20);
    Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid1->setSelectionMode(QAbstractItemView::SingleSelection);
    const int widths[scCount] = {40, 190, 40, 30, 30, 30, 55, 50, 40, 55, 40, 75, 45};
    for (int c = 0; c < scCount; ++c)
        Grid1->setColumnWidth(c, widths[c]);

    LabelNotes = new QLabel(this);
    LabelNotes->setGeometry(8, 300, 745, 72);
    LabelNotes->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LabelNotes->setWordWrap(true);

    ButtonWithdraw = new QPushButton(QStringLiteral("zurückgezogen"), this);
    ButtonDeduction = new QPushButton(QStringLiteral("Punktabzug …"), this);
    ButtonPrint = new QPushButton(QStringLiteral("Drucken …"), this);
    ButtonPdf = new QPushButton(QStringLiteral("Als PDF speichern …"), this);
    ButtonCsv = new QPushButton(QStringLiteral("Als CSV exportieren …"), this);
    ButtonClose = new QPushButton(QStringLiteral("Schließen"), this);
    const struct {
        QPushButton* Button;
        int Left, Width;
    } row[] = {{ButtonWithdraw, 8, 100}, {ButtonDeduction, 112, 100}, {ButtonPrint, 260, 100},
               {ButtonPdf, 364, 120},    {ButtonCsv, 488, 130},       {ButtonClose, 668, 85}};
    for (const auto& place : row) {
        place.Button->setGeometry(place.Left, 384, place.Width, 25);
        place.Button->setAutoDefault(false);
    }
    ButtonWithdraw->setCheckable(true);

    connect(ButtonWithdraw, &QPushButton::clicked, this, Guarded([this] { ToggleWithdrawn(); }));
    connect(ButtonDeduction, &QPushButton::clicked, this, Guarded([this] { EnterDeduction(); }));
    connect(ButtonPrint, &QPushButton::clicked, this, Guarded([this] { Print(); }));
    connect(ButtonPdf, &QPushButton::clicked, this, Guarded([this] { SavePdf(); }));
    connect(ButtonCsv, &QPushButton::clicked, this, Guarded([this] { ExportCsv(); }));
    connect(ButtonClose, &QPushButton::clicked, this, &QDialog::close);
    connect(Grid1, &QTableWidget::currentCellChanged, this, [this] { UpdateButtons(); });
}

void TTabelle::ShowStandings(const TSeason& season, int division) {
    const int current = CurrentRow();
    const std::string currentTeam =
        current >= 0 && current < static_cast<int>(standings_.Rows.size())
            ? standings_.Rows[current].Team
            : std::string();
    hasDivision_ = division >= 0;
    division_ = hasDivision_ ? season.Division(division) : TDivisionValues{};
    standings_ = hasDivision_ ? MakeStandings(season, division) : TDivisionStandings{};
    teamRecords_.clear();
    if (hasDivision_)
        for (const TTieRecord& record : season.TieRecords(division))
            if (IsTeamState(record.Status))
                teamRecords_.push_back(record);

    Label1->setText(
        hasDivision_
            ? QStringLiteral("Tabelle %1").arg(QString::fromStdString(DivisionTitleUtf8(division_)))
            : QString());
    Grid1->clearSpans();
    Grid1->setRowCount(static_cast<int>(standings_.Rows.size()));
    int select = 0;
    for (int r = 0; r < Grid1->rowCount(); ++r) {
        const TStandingRow& row = standings_.Rows[r];
        const TStandingTexts texts = StandingRowTexts(row);
        for (int c = 0; c < scCount; ++c) {
            auto* item = new QTableWidgetItem(ToQString(texts[c]));
            if (c != scTeam && !(row.Withdrawn && c == scPlayed))
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            Grid1->setItem(r, c, item);
        }
        if (row.Withdrawn)
            Grid1->setSpan(r, scPlayed, 1, scCount - scPlayed);
        if (row.Team == currentTeam)
            select = r;
    }
    QStringList notes;
    for (const std::string& note : standings_.Footnotes)
        notes << QString::fromStdString(note);
    LabelNotes->setText(notes.join('\n'));
    if (Grid1->rowCount() > 0)
        Grid1->setCurrentCell(select, scTeam);
    UpdateButtons();
}

int TTabelle::CurrentRow() const {
    return Grid1->currentRow();
}

void TTabelle::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    UpdateButtons();
}

void TTabelle::UpdateButtons() {
    const int row = CurrentRow();
    const bool team = row >= 0 && row < static_cast<int>(standings_.Rows.size());
    ButtonWithdraw->setEnabled(team && !readOnly_);
    ButtonWithdraw->setChecked(team && standings_.Rows[row].Withdrawn);
    ButtonDeduction->setEnabled(team && !readOnly_ && !standings_.Rows[row].Withdrawn);
    for (QPushButton* button : {ButtonPrint, ButtonPdf, ButtonCsv})
        button->setEnabled(hasDivision_);
}

std::optional<TTieRecord> TTabelle::TeamRecord(const std::string& team) const {
    const std::string folded = FoldClubName(team);
    for (const TTieRecord& record : teamRecords_)
        if (FoldClubName(record.Heim) == folded)
            return record;
    return std::nullopt;
}

void TTabelle::Save(const TTieRecord& record) {
    SaveTieRecord(store_, record);
    if (Changed)
        Changed(record, false);
}

void TTabelle::Remove(const TTieRecord& record) {
    RemoveTieRecord(store_, record);
    if (Changed)
        Changed(record, true);
}

void TTabelle::SetWithdrawn(int row, bool withdrawn) {
    if (row < 0 || row >= static_cast<int>(standings_.Rows.size()))
        throw TStaffelError("Es ist keine Mannschaft ausgewählt.");
    const std::string& team = standings_.Rows[row].Team;
    const std::optional<TTieRecord> current = TeamRecord(team);
    if (withdrawn)
        Save(NewTeamRecord(division_, team, TTieState::Zurueckgezogen));
    else if (current && current->Status == TTieState::Zurueckgezogen)
        Remove(*current);
}

void TTabelle::SetDeduction(int row, const TDeductionInput& input) {
    if (row < 0 || row >= static_cast<int>(standings_.Rows.size()))
        throw TStaffelError("Es ist keine Mannschaft ausgewählt.");
    const std::string& team = standings_.Rows[row].Team;
    const std::optional<TTieRecord> current = TeamRecord(team);
    if (input.Points <= 0) {
        if (current && current->Status == TTieState::Punktabzug)
            Remove(*current);
        return;
    }
    TTieRecord record = NewTeamRecord(division_, team, TTieState::Punktabzug);
    record.Result.Punkte.Home = input.Points;
    record.Bemerkung = input.Reason;
    Save(record);
}

void TTabelle::ToggleWithdrawn() {
    const int row = CurrentRow();
    if (row < 0 || row >= static_cast<int>(standings_.Rows.size()))
        return;
    const TStandingRow& standing = standings_.Rows[row];
    const std::string team = Cp1252ToUtf8(standing.Team);
    const std::string question =
        standing.Withdrawn
            ? "\"" + team + "\" wieder in die Wertung nehmen?"
            : "\"" + team +
                  "\" als zur\xC3\xBC"
                  "ckgezogen markieren? Ihre Begegnungen z\xC3\xA4hlen dann f\xC3\xBCr niemanden, "
                  "die Mannschaft steht ohne Zahlen am Ende der Tabelle.";
    if (MessageBoxes().Confirm(question, cbYesNo) != caAccept) {
        UpdateButtons();
        return;
    }
    SetWithdrawn(row, !standing.Withdrawn);
}

void TTabelle::EnterDeduction() {
    const int row = CurrentRow();
    if (row < 0 || row >= static_cast<int>(standings_.Rows.size()) || !AskDeduction)
        return;
    const std::string team = standings_.Rows[row].Team;
    TDeductionInput current;
    if (const auto record = TeamRecord(team); record && record->Status == TTieState::Punktabzug)
        current = {record->Result.Punkte.Home.value_or(0), record->Bemerkung};
    if (const auto input = AskDeduction(ToQString(team), current))
        SetDeduction(row, *input);
}

void TTabelle::Print() {
    exports_.Print(division_, standings_, store_.t_staffel().Settings());
}

void TTabelle::SavePdf() {
    exports_.SavePdf(division_, standings_, store_.t_staffel().Settings());
}

void TTabelle::ExportCsv() {
    exports_.ExportCsv(division_, standings_);
}
