#include "ui/exports/SlotProposalDialog.h"

#include "data/Records.h"
#include "report/qt/QtText.h"
#include "ui/ScreenReaderNames.h"
#include "ui/ErrorGuard.h"
#include "ui/controls/StaffelplanFonts.h"
#include "ui/exports/ProposalTexts.h"
#include "ui/exports/SearchWorker.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum { colSlot, colTeam, colPinned, colProposed, colCount };

QString SlotText(TSlotName slot) {
    const std::string_view name = SlotFieldName(slot);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

QTableWidgetItem* ReadOnlyItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    return item;
}

QString DivisionClashes(int season, int division) {
    return QStringLiteral("%1 in der Saison, davon %2 mit dieser Staffel")
        .arg(season)
        .arg(division);
}

} // namespace

TSlotProposalDialog::TSlotProposalDialog(TSeason season, int division, TSlotAssignment base,
                                         QWidget* parent, TPinnedSlots pinned)
    : QDialog(parent), season_(std::move(season)), division_(division), base_(std::move(base)),
      pinned_(pinned), worker_(new TSearchWorker(this)) {
    setWindowTitle(QStringLiteral("Schlüsselzahlen vorschlagen"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(UiFont({"Tahoma", 8}));
    slots_ = SlotsUsedBy(LayoutOf(season_.Division(division_)));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(6);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QString title = QString::fromStdString(DivisionTitleUtf8(season_.Division(division_)));
    Label1 = new QLabel(QStringLiteral("Staffel %1").arg(title), this);
    Label1->setFont(UiFont({"Tahoma", 8, true}));
    layout->addWidget(Label1);

    auto* columns = new QHBoxLayout;
    Grid1 = new QTableWidget(static_cast<int>(slots_.size()), colCount, this);
    Grid1->setHorizontalHeaderLabels({QStringLiteral("Platz"), QStringLiteral("Mannschaft"),
                                      QStringLiteral("fest"), QStringLiteral("Vorschlag")});
    Grid1->verticalHeader()->hide();
    Grid1->verticalHeader()->setDefaultSectionSize(19);
    Grid1->setSelectionMode(QAbstractItemView::NoSelection);
    Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid1->setColumnWidth(colSlot, 40);
    Grid1->setColumnWidth(colTeam, 150);
    Grid1->setColumnWidth(colPinned, 36);
    Grid1->setColumnWidth(colProposed, 70);
    Grid1->setFixedSize(300, 23 + 19 * 10 + 4);
    columns->addWidget(Grid1);

    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("Wechsel:"), this));
    ListMoves = new QListWidget(this);
    ListMoves->setFixedSize(260, 100);
    right->addWidget(ListMoves);
    right->addWidget(new QLabel(QStringLiteral("Warum Konflikte bleiben:"), this));
    ListReasons = new QListWidget(this);
    ListReasons->setFixedSize(260, 100);
    ListReasons->setWordWrap(true);
    right->addWidget(ListReasons);
    columns->addLayout(right);
    layout->addLayout(columns);

    LabelNow = new QLabel(this);
    LabelAfter = new QLabel(this);
    LabelStatus = new QLabel(this);
    LabelStatus->setWordWrap(true);
    LabelStatus->setFixedWidth(570);
    Progress1 = new QProgressBar(this);
    Progress1->setRange(0, 1000);
    Progress1->setFixedHeight(16);
    layout->addWidget(LabelNow);
    layout->addWidget(LabelAfter);
    layout->addWidget(Progress1);
    layout->addWidget(LabelStatus);

    auto* buttons = new QHBoxLayout;
    ButtonCancelSearch = new QPushButton(QStringLiteral("Suche abbrechen"), this);
    ButtonApply = new QPushButton(QStringLiteral("Übernehmen"), this);
    ButtonUndo = new QPushButton(QStringLiteral("Rückgängig"), this);
    ButtonClose = new QPushButton(QStringLiteral("Schließen"), this);
    buttons->addWidget(ButtonCancelSearch);
    buttons->addStretch();
    for (QPushButton* button : {ButtonApply, ButtonUndo, ButtonClose}) {
        button->setFixedSize(90, 25);
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    ButtonCancelSearch->setFixedSize(110, 25);
    ButtonCancelSearch->setAutoDefault(false);
    layout->addLayout(buttons);

    connect(ButtonCancelSearch, &QPushButton::clicked, this, Guarded([this] {
                searchAgain_ = false;
                worker_->Cancel();
            }));
    connect(ButtonApply, &QPushButton::clicked, this, Guarded([this] { ApplyProposal(); }));
    connect(ButtonUndo, &QPushButton::clicked, this, Guarded([this] { UndoApply(); }));
    connect(ButtonClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(Grid1, &QTableWidget::itemChanged, this, Guarded([this](QTableWidgetItem* item) {
                if (!filling_ && item->column() == colPinned)
                    PinChanged(item->row());
            }));

    FillGrid();
    Search();
    NameRemainingControls(*this);
}

TSlotProposalDialog::~TSlotProposalDialog() = default;

bool TSlotProposalDialog::Searching() const {
    return worker_->Running();
}

void TSlotProposalDialog::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    UpdateButtons();
}

void TSlotProposalDialog::FillGrid() {
    filling_ = true;
    const TDivisionValues& division = season_.Division(division_);
    for (int row = 0; row < static_cast<int>(slots_.size()); ++row) {
        const TSlotName slot = slots_[row];
        const std::string team = TrimmedTeam(division.Team(slot));
        Grid1->setItem(row, colSlot, ReadOnlyItem(SlotText(slot)));
        Grid1->setItem(row, colTeam, ReadOnlyItem(ToQString(team)));
        auto* pin = new QTableWidgetItem;
        // An empty slot has nobody to keep in place.
        pin->setFlags(team.empty() ? Qt::NoItemFlags : Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        if (!team.empty())
            pin->setCheckState(pinned_[static_cast<int>(slot)] ? Qt::Checked : Qt::Unchecked);
        Grid1->setItem(row, colPinned, pin);
        Grid1->setItem(row, colProposed, ReadOnlyItem(QString()));
    }
    filling_ = false;
}

void TSlotProposalDialog::SetPinned(TSlotName slot, bool pinned) {
    for (int row = 0; row < static_cast<int>(slots_.size()); ++row)
        if (slots_[row] == slot && (Grid1->item(row, colPinned)->flags() & Qt::ItemIsUserCheckable))
            Grid1->item(row, colPinned)->setCheckState(pinned ? Qt::Checked : Qt::Unchecked);
}

void TSlotProposalDialog::PinChanged(int row) {
    pinned_[static_cast<int>(slots_[row])] =
        Grid1->item(row, colPinned)->checkState() == Qt::Checked;
    Search();
}

void TSlotProposalDialog::Search() {
    ClearProposal(QStringLiteral("Die Suche läuft …"));
    if (worker_->Running()) {
        // The running search ends soon; its result is then replaced.
        searchAgain_ = true;
        worker_->Cancel();
        return;
    }
    searchAgain_ = false;
    Progress1->setValue(0);
    // The worker reads its own copy; the season here may change meanwhile.
    auto input =
        std::make_shared<const TProposalInput>(MakeProposalInput(season_, division_, pinned_));
    worker_->Start(
        [this, input](const TSearchControl& control) -> std::function<void()> {
            TSlotProposal proposal = ProposeSlots(*input, control);
            return
                [this, proposal = std::move(proposal)]() mutable { Finished(std::move(proposal)); };
        },
        [this](const TSearchProgress& step) {
            Progress1->setValue(static_cast<int>(step.Fraction * 1000));
        });
    UpdateButtons();
}

void TSlotProposalDialog::Finished(TSlotProposal proposal) {
    if (searchAgain_) {
        Search();
        return;
    }
    Progress1->setValue(1000);
    proposal_ = std::move(proposal);
    ShowProposal();
}

void TSlotProposalDialog::ClearProposal(const QString& status) {
    proposal_.reset();
    for (int row = 0; row < Grid1->rowCount(); ++row)
        Grid1->item(row, colProposed)->setText(QString());
    ListMoves->clear();
    ListReasons->clear();
    LabelNow->setText(
        QStringLiteral("Konflikte jetzt: %1")
            .arg(DivisionClashes(season_.ClashCount(),
                                 season_.ClashCount() -
                                     MakePlacementContext(season_, division_).RestClashCount)));
    LabelAfter->setText(QStringLiteral("Konflikte mit dem Vorschlag: –"));
    LabelStatus->setText(status);
    UpdateButtons();
}

void TSlotProposalDialog::ShowProposal() {
    const TSlotProposal& p = *proposal_;
    for (int row = 0; row < static_cast<int>(slots_.size()); ++row) {
        const TSlotName to = p.Placement[static_cast<int>(slots_[row])];
        Grid1->item(row, colProposed)->setText(to == slots_[row] ? QString() : SlotText(to));
    }
    for (const TSlotMove& move : p.Moves)
        ListMoves->addItem(MoveText(move));
    for (const std::string& reason : p.Reasons)
        ListReasons->addItem(QString::fromStdString(reason));
    LabelNow->setText(QStringLiteral("Konflikte jetzt: %1")
                          .arg(DivisionClashes(p.ClashesBefore, p.DivisionClashesBefore)));
    LabelAfter->setText(QStringLiteral("Konflikte mit dem Vorschlag: %1")
                            .arg(DivisionClashes(p.ClashesAfter, p.DivisionClashesAfter)));
    QString status;
    if (!p.Complete)
        status = QStringLiteral("Die Suche wurde abgebrochen; gezeigt wird der beste bisher "
                                "gefundene Vorschlag.");
    else if (p.Moves.empty())
        status = QStringLiteral("Die jetzige Verteilung ist schon die beste; keine Mannschaft "
                                "muss den Platz wechseln.");
    else if (p.DivisionClashesAfter == 0)
        status = QStringLiteral("Mit dem Vorschlag hat die Staffel keine Konflikte mehr.");
    else
        status = QStringLiteral("Keine Verteilung hat weniger Konflikte (%1 mit dieser Staffel).")
                     .arg(p.DivisionClashesAfter);
    LabelStatus->setText(status);
    UpdateButtons();
}

void TSlotProposalDialog::UpdateButtons() {
    const bool searching = worker_->Running();
    ButtonCancelSearch->setEnabled(searching);
    ButtonApply->setEnabled(!searching && !readOnly_ && Apply && proposal_ &&
                            !proposal_->Moves.empty());
    ButtonUndo->setEnabled(!searching && !readOnly_ && Apply && applied_.has_value());
}

void TSlotProposalDialog::ReplaceDivisionTeams(const std::array<TValue, SlotCount>& values) {
    TDivisionValues division = season_.Division(division_);
    for (int s = 0; s < SlotCount; ++s) {
        const auto* text = std::get_if<std::string>(&values[s]);
        division.Teams[s] = text ? *text : std::string();
    }
    season_.ReplaceDivision(division_, std::move(division));
}

void TSlotProposalDialog::ApplyProposal() {
    if (!proposal_ || !Apply || readOnly_ || worker_->Running())
        return;
    const TSlotAssignment assignment = Placed(base_, proposal_->Placement);
    if (ApplyTelling(Apply, {assignment}, *LabelStatus) == TApplyOutcome::OtherVersionLoaded) {
        LabelStatus->setText(
            OtherVersionLoadedText(QStringLiteral("Der Vorschlag wurde nicht übernommen")));
        return;
    }
    applied_ = assignment;
    base_ = assignment;
    base_.Before = assignment.After;
    ReplaceDivisionTeams(assignment.After);
    FillGrid();
    ClearProposal(QStringLiteral("Der Vorschlag wurde übernommen und gespeichert."));
}

void TSlotProposalDialog::UndoApply() {
    if (!applied_ || !Apply || readOnly_ || worker_->Running())
        return;
    const TSlotAssignment undo = Reversed(*applied_);
    if (ApplyTelling(Apply, {undo}, *LabelStatus) == TApplyOutcome::OtherVersionLoaded) {
        LabelStatus->setText(OtherVersionLoadedText(
            QStringLiteral("Die vorherige Verteilung wurde nicht wiederhergestellt")));
        return;
    }
    applied_.reset();
    base_ = undo;
    base_.Before = undo.After;
    ReplaceDivisionTeams(undo.After);
    FillGrid();
    Search();
    LabelStatus->setText(QStringLiteral("Die vorherige Verteilung wurde wiederhergestellt und "
                                        "gespeichert. Die Suche läuft …"));
}

void TSlotProposalDialog::reject() {
    worker_->Cancel();
    QDialog::reject();
}
