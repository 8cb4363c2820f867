#include "ui/exports/SeasonOptimizeDialog.h"

#include "ui/ScreenReaderNames.h"
#include "ui/ErrorGuard.h"
#include "ui/controls/StaffelplanFonts.h"
#include "ui/exports/ProposalTexts.h"
#include "ui/exports/SearchWorker.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

TSeasonOptimizeDialog::TSeasonOptimizeDialog(TSeason season, std::vector<TSlotAssignment> bases,
                                             QWidget* parent, std::vector<TPinnedSlots> pinned)
    : QDialog(parent), season_(std::move(season)), bases_(std::move(bases)),
      pinned_(std::move(pinned)), worker_(new TSearchWorker(this)) {
    setWindowTitle(QStringLiteral("Alle Staffeln der Saison optimieren"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(UiFont({"Tahoma", 8}));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(6);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Label1 = new QLabel(this);
    Label1->setFont(UiFont({"Tahoma", 8, true}));
    layout->addWidget(Label1);
    Progress1 = new QProgressBar(this);
    Progress1->setRange(0, 1000);
    Progress1->setFixedHeight(16);
    layout->addWidget(Progress1);
    LabelStatus = new QLabel(this);
    LabelStatus->setWordWrap(true);
    LabelStatus->setFixedWidth(460);
    layout->addWidget(LabelStatus);
    Tree1 = new QTreeWidget(this);
    Tree1->setHeaderHidden(true);
    Tree1->setFixedSize(460, 260);
    layout->addWidget(Tree1);

    auto* buttons = new QHBoxLayout;
    ButtonCancelSearch = new QPushButton(QStringLiteral("Suche abbrechen"), this);
    ButtonCancelSearch->setFixedSize(110, 25);
    ButtonApply = new QPushButton(QStringLiteral("Übernehmen"), this);
    ButtonUndo = new QPushButton(QStringLiteral("Rückgängig"), this);
    ButtonClose = new QPushButton(QStringLiteral("Schließen"), this);
    buttons->addWidget(ButtonCancelSearch);
    buttons->addStretch();
    for (QPushButton* button : {ButtonApply, ButtonUndo, ButtonClose}) {
        button->setFixedSize(90, 25);
        buttons->addWidget(button);
    }
    for (QPushButton* button : {ButtonCancelSearch, ButtonApply, ButtonUndo, ButtonClose})
        button->setAutoDefault(false);
    layout->addLayout(buttons);

    connect(ButtonCancelSearch, &QPushButton::clicked, this, Guarded([this] { CancelSearch(); }));
    connect(ButtonApply, &QPushButton::clicked, this, Guarded([this] { ApplyResult(); }));
    connect(ButtonUndo, &QPushButton::clicked, this, Guarded([this] { UndoApply(); }));
    connect(ButtonClose, &QPushButton::clicked, this, &QDialog::reject);

    Label1->setText(QStringLiteral("Saison: %1 Staffeln, jetzt %2")
                        .arg(season_.DivisionCount())
                        .arg(ClashCountText(season_.ClashCount())));
    LabelStatus->setText(QStringLiteral("Die Suche läuft …"));
    const int divisions = std::max(1, season_.DivisionCount());
    auto names = std::make_shared<std::vector<QString>>();
    for (int d = 0; d < season_.DivisionCount(); ++d)
        names->push_back(QString::fromStdString(DivisionTitleUtf8(season_.Division(d))));
    // The worker improves its own copy of the season.
    worker_->Start(
        [this, season = season_, pinned = pinned_](
            const TSearchControl& control) -> std::function<void()> {
            TSeasonOptimization result = OptimizeSeason(season, pinned, control);
            return [this, result = std::move(result)]() mutable { Finished(std::move(result)); };
        },
        [this, names, divisions](const TSearchProgress& step) {
            const int division = std::clamp(step.Division, 0, divisions - 1);
            Progress1->setValue(static_cast<int>(step.Fraction * 1000));
            LabelStatus->setText(QStringLiteral("Durchgang %1, Staffel %2 (%3 von %4), bisher %5")
                                     .arg(step.Pass)
                                     .arg(division < static_cast<int>(names->size())
                                              ? (*names)[division]
                                              : QString())
                                     .arg(division + 1)
                                     .arg(divisions)
                                     .arg(ClashCountText(step.Clashes)));
        });
    UpdateButtons();
    NameRemainingControls(*this);
}

TSeasonOptimizeDialog::~TSeasonOptimizeDialog() = default;

bool TSeasonOptimizeDialog::Searching() const {
    return worker_->Running();
}

void TSeasonOptimizeDialog::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    UpdateButtons();
}

void TSeasonOptimizeDialog::CancelSearch() {
    worker_->Cancel();
}

void TSeasonOptimizeDialog::Finished(TSeasonOptimization result) {
    Progress1->setValue(1000);
    result_ = std::move(result);
    const TSeasonOptimization& r = *result_;
    Label1->setText(QStringLiteral("Konflikte der Saison vorher: %1, nachher: %2")
                        .arg(r.ClashesBefore)
                        .arg(r.ClashesAfter));
    QString status;
    if (!r.Complete)
        status = QStringLiteral("Die Suche wurde abgebrochen; gezeigt wird die bisher erreichte "
                                "Verbesserung.");
    else if (r.Divisions.empty())
        status = QStringLiteral("Keine Staffel lässt sich verbessern; es gibt nichts zu ändern.");
    else
        status = QStringLiteral("%1 Staffeln ändern sich (nach %2 Durchgängen).")
                     .arg(r.Divisions.size())
                     .arg(r.Passes);
    LabelStatus->setText(status);
    Tree1->clear();
    for (const TDivisionMoves& division : r.Divisions) {
        auto* item = new QTreeWidgetItem(Tree1);
        item->setText(
            0, QString::fromStdString(DivisionTitleUtf8(season_.Division(division.Division))));
        for (const TSlotMove& move : division.Moves)
            new QTreeWidgetItem(item, {MoveText(move)});
        item->setExpanded(true);
    }
    UpdateButtons();
}

void TSeasonOptimizeDialog::UpdateButtons() {
    const bool searching = worker_->Running();
    const bool editable = !searching && !readOnly_ && Apply;
    ButtonCancelSearch->setEnabled(searching);
    ButtonApply->setEnabled(editable && result_ && !result_->Divisions.empty() && applied_.empty());
    ButtonUndo->setEnabled(editable && !applied_.empty());
}

void TSeasonOptimizeDialog::ApplyResult() {
    if (!result_ || !Apply || readOnly_ || worker_->Running() || !applied_.empty())
        return;
    std::vector<TSlotAssignment> assignments;
    for (const TDivisionMoves& division : result_->Divisions)
        assignments.push_back(Placed(bases_[division.Division], division.Placement));
    if (ApplyTelling(Apply, assignments, *LabelStatus) == TApplyOutcome::OtherVersionLoaded) {
        LabelStatus->setText(
            OtherVersionLoadedText(QStringLiteral("Die Vorschläge wurden nicht übernommen")));
        return;
    }
    applied_ = std::move(assignments);
    LabelStatus->setText(QStringLiteral("Die Vorschläge wurden übernommen und gespeichert."));
    UpdateButtons();
}

void TSeasonOptimizeDialog::UndoApply() {
    if (applied_.empty() || !Apply || readOnly_)
        return;
    std::vector<TSlotAssignment> undo;
    for (auto it = applied_.rbegin(); it != applied_.rend(); ++it)
        undo.push_back(Reversed(*it));
    if (ApplyTelling(Apply, undo, *LabelStatus) == TApplyOutcome::OtherVersionLoaded) {
        LabelStatus->setText(OtherVersionLoadedText(
            QStringLiteral("Die vorherige Verteilung wurde nicht wiederhergestellt")));
        return;
    }
    applied_.clear();
    LabelStatus->setText(QStringLiteral("Die vorherige Verteilung wurde wiederhergestellt und "
                                        "gespeichert."));
    UpdateButtons();
}

void TSeasonOptimizeDialog::reject() {
    worker_->Cancel();
    QDialog::reject();
}
