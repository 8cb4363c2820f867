#include "ui/exports/ClubPlanDialog.h"

#include "report/qt/QtText.h"
#include "ui/ScreenReaderNames.h"
#include "ui/ErrorGuard.h"
#include "ui/controls/StaffelplanFonts.h"
#include "ui/exports/AllClubPdfs.h"
#include "ui/exports/ClubPlanExports.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TClubPlanDialog::TClubPlanDialog(const TSeason& season, TClubPlanExports& exports, QWidget* parent)
    : QDialog(parent), season_(season), exports_(exports), clubs_(ClubsWithTeams(season)) {
    setWindowTitle(QStringLiteral("Plan eines Vereins"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(UiFont({"Tahoma", 8}));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* left = new QVBoxLayout;
    const QString year = season.DivisionCount() > 0 && season.Division(0).Jahr
                             ? QString::number(*season.Division(0).Jahr)
                             : QString();
    Label1 = new QLabel(QStringLiteral("Vereine der Saison %1:").arg(year), this);
    left->addWidget(Label1);
    ListBox1 = new QListWidget(this);
    ListBox1->setFixedSize(240, 260);
    for (TClubId club : clubs_)
        ListBox1->addItem(ToQString(season.Clubs().Club(club).Name));
    if (!clubs_.empty())
        ListBox1->setCurrentRow(0);
    left->addWidget(ListBox1);
    layout->addLayout(left);

    auto* buttons = new QVBoxLayout;
    buttons->addSpacing(18);
    const auto add = [&](const QString& text,
                         void (TClubPlanExports::*work)(const TSeason&, TClubId)) {
        auto* button = new QPushButton(text, this);
        button->setFixedSize(150, 25);
        button->setAutoDefault(false);
        button->setEnabled(!clubs_.empty());
        connect(button, &QPushButton::clicked, this, Guarded([this, work] {
                    if (Club() != NoClub)
                        (exports_.*work)(season_, Club());
                }));
        buttons->addWidget(button);
        return button;
    };
    ButtonPrint = add(QStringLiteral("Drucken / Vorschau …"), &TClubPlanExports::Print);
    ButtonPdf = add(QStringLiteral("Als PDF speichern …"), &TClubPlanExports::SavePdf);
    ButtonCalendar =
        add(QStringLiteral("Als Kalender exportieren …"), &TClubPlanExports::ExportCalendar);
    ButtonCsv = add(QStringLiteral("Als CSV exportieren …"), &TClubPlanExports::ExportCsv);
    buttons->addStretch();
    ButtonClose = new QPushButton(QStringLiteral("Schließen"), this);
    ButtonClose->setFixedSize(150, 25);
    connect(ButtonClose, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(ButtonClose);
    layout->addLayout(buttons);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this,
            Guarded([this] { exports_.Print(season_, Club()); }));
    NameRemainingControls(*this);
}

TClubId TClubPlanDialog::Club() const {
    const int row = ListBox1->currentRow();
    return row >= 0 && row < static_cast<int>(clubs_.size()) ? clubs_[row] : NoClub;
}

void TClubPlanDialog::SelectClub(TClubId club) {
    const auto it = std::find(clubs_.begin(), clubs_.end(), club);
    if (it != clubs_.end())
        ListBox1->setCurrentRow(static_cast<int>(it - clubs_.begin()));
}
