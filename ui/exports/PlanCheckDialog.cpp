#include "ui/exports/PlanCheckDialog.h"

#include "ui/ScreenReaderNames.h"
#include "ui/controls/StaffelplanFonts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QString ResultText(const TDivisionValues& division, std::size_t count, std::size_t clashes) {
    QString title = QString::fromStdString(DivisionTitleUtf8(division));
    if (title.isEmpty())
        title = QStringLiteral("ohne Namen");
    const QString head = QStringLiteral("Staffel %1: ").arg(title);
    QString text;
    if (count == 0 && clashes == 0)
        return head + QStringLiteral("Es wurden keine Fehler gefunden.");
    if (count == 1)
        text = head + QStringLiteral("1 Fehler gefunden");
    else if (count > 1)
        text = head + QStringLiteral("%1 Fehler gefunden").arg(count);
    else
        text = head + QStringLiteral("Keine Fehler");
    if (clashes == 1)
        text += QStringLiteral(", 1 Konflikt mit anderen Staffeln der Saison");
    else if (clashes > 1)
        text += QStringLiteral(", %1 Konflikte mit anderen Staffeln der Saison").arg(clashes);
    return text + QLatin1Char('.');
}

} // namespace

TPlanCheckDialog::TPlanCheckDialog(const TDivisionValues& division,
                                   const std::vector<TPlanFinding>& findings,
                                   const std::vector<std::string>& seasonClashes, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Spielplan prüfen"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(UiFont({"Tahoma", 8}));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Label1 = new QLabel(ResultText(division, findings.size(), seasonClashes.size()), this);
    Label1->setFont(UiFont({"Tahoma", 8, true}));
    layout->addWidget(Label1);

    ListBox1 = new QListWidget(this);
    ListBox1->setFixedSize(460, 220);
    ListBox1->setWordWrap(true);
    ListBox1->setIconSize(QSize(16, 16));
    ListBox1->setSpacing(2);
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (const TPlanFinding& finding : findings)
        new QListWidgetItem(warning, QString::fromStdString(finding.Text), ListBox1);
    const QIcon clash = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    for (const std::string& text : seasonClashes)
        new QListWidgetItem(clash, QString::fromStdString(text), ListBox1);
    const bool empty = findings.empty() && seasonClashes.empty();
    ListBox1->setVisible(!empty);
    if (empty)
        Label1->setMinimumWidth(300);
    layout->addWidget(ListBox1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setDefault(true);
    Button1->setFixedSize(75, 25);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(Button1);
    layout->addLayout(buttons);
    NameRemainingControls(*this);
}
