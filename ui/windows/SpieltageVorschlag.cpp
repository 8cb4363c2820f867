#include "ui/windows/SpieltageVorschlag.h"

#include "data/RegionalSettings.h"
#include "ui/ScreenReaderNames.h"
#include "ui/ErrorGuard.h"
#include "ui/controls/StaffelplanFonts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QDate QDateOf(TDaySerial day) {
    const TCivilDate date = CivilOfSerial(day);
    return QDate(date.Year, static_cast<int>(date.Month), static_cast<int>(date.Day));
}

TDaySerial SerialOf(const QDate& date) {
    TDaySerial day = 0;
    SerialOfCivil(date.year(), static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()), day);
    return day;
}

QDateEdit* MakeDateEdit(QWidget* parent) {
    auto* edit = new QDateEdit(parent);
    edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    edit->setCalendarPopup(true);
    return edit;
}

QTableWidget* MakeGrid(QWidget* parent, const QStringList& titles) {
    auto* grid = new QTableWidget(0, static_cast<int>(titles.size()), parent);
    grid->setHorizontalHeaderLabels(titles);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(20);
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}

void SetRow(QTableWidget* grid, int row, const QStringList& texts) {
    for (int c = 0; c < texts.size(); ++c)
        grid->setItem(row, c, new QTableWidgetItem(texts[c]));
}

QString DateText(TDaySerial day) {
    static const TRegionalSettings german = TRegionalSettings::German();
    return Utf8(WeekdayName(WeekdayOf(day)).substr(0, 2)) + QLatin1Char(' ') +
           Utf8(german.FormatDate(day));
}

} // namespace

TSpieltageVorschlag::TSpieltageVorschlag(TMatchDaySources sources, QWidget* parent)
    : QDialog(parent), sources_(std::move(sources)) {
    setWindowTitle(QStringLiteral("Spieltage vorschlagen"));
    setFont(UiFont({"Tahoma", 8}));
    resize(760, 520);
    CreateControls();
    filling_ = true;
    if (sources_.State)
        ComboLand->setCurrentIndex(static_cast<int>(*sources_.State));
    SpinJahr->setValue(sources_.Year);
    SetDefaultDates(sources_.Year);
    filling_ = false;
    Guard([this] { Recompute(); });
    NameRemainingControls(*this);
}

void TSpieltageVorschlag::CreateControls() {
    auto* layout = new QVBoxLayout(this);
    auto* inputs = new QHBoxLayout;
    auto* left = new QFormLayout;
    auto* right = new QFormLayout;
    inputs->addLayout(left);
    inputs->addSpacing(24);
    inputs->addLayout(right);
    inputs->addStretch();
    layout->addLayout(inputs);

    ComboLand = new QComboBox(this);
    ComboLand->setPlaceholderText(QStringLiteral("(kein Land: nur Ferien)"));
    for (int i = 0; i < GermanStateCount; ++i) {
        const auto state = static_cast<TGermanState>(i);
        ComboLand->addItem(Utf8(StateName(state)) + QStringLiteral(" (") + Utf8(StateCode(state)) +
                           QLatin1Char(')'));
    }
    ComboLand->setCurrentIndex(-1);
    SpinJahr = new QSpinBox(this);
    SpinJahr->setRange(1900, 9998);
    ComboTage = new QComboBox(this);
    ComboTage->addItem(QStringLiteral("8"), 8);
    ComboTage->addItem(QStringLiteral("10 (mit 4A und 8A)"), 10);
    ComboWochentag = new QComboBox(this);
    for (int d = 0; d < 7; ++d)
        ComboWochentag->addItem(Utf8(WeekdayName(d)));
    ComboWochentag->setCurrentIndex(5);
    left->addRow(QStringLiteral("Feiertage des Landes:"), ComboLand);
    left->addRow(QStringLiteral("Saison:"), SpinJahr);
    left->addRow(QStringLiteral("Spieltage:"), ComboTage);
    left->addRow(QStringLiteral("Wochentag:"), ComboWochentag);

    DateFrueh = MakeDateEdit(this);
    DateSpaet = MakeDateEdit(this);
    DateHinrunde = MakeDateEdit(this);
    SpinWochen = new QSpinBox(this);
    SpinWochen->setRange(1, 20);
    SpinWochen->setValue(2);
    SpinWochen->setSuffix(QStringLiteral(" Wochen"));
    CheckNachbarn = new QCheckBox(
        QStringLiteral("Auch ausschließen, wenn Freitag davor oder Montag danach Feiertag ist"),
        this);
    CheckNachbarn->setChecked(true);
    right->addRow(QStringLiteral("Frühester Tag:"), DateFrueh);
    right->addRow(QStringLiteral("Spätester Tag:"), DateSpaet);
    right->addRow(QStringLiteral("Hinrunde bis:"), DateHinrunde);
    right->addRow(QStringLiteral("Mindestabstand:"), SpinWochen);
    right->addRow(CheckNachbarn);

    auto* results = new QHBoxLayout;
    auto* proposed = new QVBoxLayout;
    proposed->addWidget(new QLabel(QStringLiteral("<b>Vorschlag</b>"), this));
    GridVorschlag = MakeGrid(this, {QStringLiteral("Spieltag"), QStringLiteral("Datum"),
                                    QStringLiteral("Gesperrte Vereine")});
    proposed->addWidget(GridVorschlag);
    auto* ruledOut = new QVBoxLayout;
    ruledOut->addWidget(new QLabel(QStringLiteral("<b>Ausgeschlossen</b>"), this));
    GridAusgeschlossen = MakeGrid(this, {QStringLiteral("Datum"), QStringLiteral("Grund")});
    ruledOut->addWidget(GridAusgeschlossen);
    results->addLayout(proposed, 1);
    results->addLayout(ruledOut, 1);
    layout->addLayout(results, 1);

    LabelErgebnis = new QLabel(this);
    LabelErgebnis->setWordWrap(true);
    layout->addWidget(LabelErgebnis);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    ButtonUebernehmen = new QPushButton(QStringLiteral("Übernehmen"), this);
    auto* close = new QPushButton(QStringLiteral("Schließen"), this);
    close->setAutoDefault(false);
    buttons->addWidget(ButtonUebernehmen);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    const auto recompute = Guarded([this] {
        if (!filling_)
            Recompute();
    });
    connect(ComboLand, &QComboBox::currentIndexChanged, this, Guarded([this](int index) {
                if (filling_ || index < 0)
                    return;
                if (RememberState)
                    RememberState(static_cast<TGermanState>(index));
                Recompute();
            }));
    connect(SpinJahr, &QSpinBox::valueChanged, this, Guarded([this](int year) {
                if (filling_)
                    return;
                SetDefaultDates(year);
                Recompute();
            }));
    connect(ComboTage, &QComboBox::currentIndexChanged, this, recompute);
    connect(ComboWochentag, &QComboBox::currentIndexChanged, this, recompute);
    for (QDateEdit* edit : {DateFrueh, DateSpaet, DateHinrunde})
        connect(edit, &QDateEdit::dateChanged, this, recompute);
    connect(SpinWochen, &QSpinBox::valueChanged, this, recompute);
    connect(CheckNachbarn, &QCheckBox::toggled, this, recompute);
    connect(ButtonUebernehmen, &QPushButton::clicked, this, Guarded([this] { Uebernehmen(); }));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void TSpieltageVorschlag::SetDefaultDates(int year) {
    const TMatchDayInputs defaults = DefaultMatchDayInputs(year);
    const bool wasFilling = std::exchange(filling_, true);
    DateFrueh->setDate(QDateOf(defaults.Earliest));
    DateSpaet->setDate(QDateOf(defaults.Latest));
    DateHinrunde->setDate(QDateOf(defaults.FirstHalfEnd));
    filling_ = wasFilling;
}

TMatchDayInputs TSpieltageVorschlag::Inputs() const {
    TMatchDayInputs inputs = DefaultMatchDayInputs(SpinJahr->value());
    inputs.Count = ComboTage->currentData().toInt();
    inputs.Weekday = ComboWochentag->currentIndex();
    inputs.Earliest = SerialOf(DateFrueh->date());
    inputs.Latest = SerialOf(DateSpaet->date());
    inputs.FirstHalfEnd = SerialOf(DateHinrunde->date());
    inputs.MinWeeks = SpinWochen->value();
    inputs.NeighbourHolidays = CheckNachbarn->isChecked();
    return inputs;
}

void TSpieltageVorschlag::Recompute() {
    std::optional<TGermanState> state;
    if (ComboLand->currentIndex() >= 0)
        state = static_cast<TGermanState>(ComboLand->currentIndex());
    proposal_ =
        ProposeMatchDays(Inputs(), TDaysOff(state, sources_.SchoolHolidays), sources_.Clubs);
    ShowProposal();
}

TProposedCalendar TSpieltageVorschlag::Calendar() const {
    TProposedCalendar calendar;
    const std::vector<TSpieltagKey> keys = MatchDayKeys(static_cast<int>(proposal_.Dates.size()));
    for (std::size_t i = 0; i < proposal_.Dates.size() && i < keys.size(); ++i)
        calendar.emplace_back(keys[i], proposal_.Dates[i]);
    return calendar;
}

void TSpieltageVorschlag::ShowProposal() {
    const TProposedCalendar calendar = Calendar();
    GridVorschlag->setRowCount(static_cast<int>(calendar.size()));
    for (int r = 0; r < GridVorschlag->rowCount(); ++r)
        SetRow(GridVorschlag, r,
               {Utf8(SpieltagKeyName(calendar[r].first)), DateText(calendar[r].second),
                QString::number(proposal_.BlockedClubs[r])});
    GridAusgeschlossen->setRowCount(static_cast<int>(proposal_.RuledOut.size()));
    for (int r = 0; r < GridAusgeschlossen->rowCount(); ++r)
        SetRow(GridAusgeschlossen, r,
               {DateText(proposal_.RuledOut[r].Day), Utf8(proposal_.RuledOut[r].Reason)});
    GridAusgeschlossen->resizeColumnToContents(0);
    QString text;
    if (proposal_.Dates.empty())
        text = Utf8(proposal_.Impossible);
    else
        text = Utf8(MatchDaySummary(proposal_)) +
               QStringLiteral(" · %1 freie Termine zur Wahl").arg(proposal_.CandidateCount);
    if (ComboLand->currentIndex() < 0)
        text += QStringLiteral("\nOhne Land zählen nur die Ferien, keine Feiertage.");
    LabelErgebnis->setText(text);
    ButtonUebernehmen->setEnabled(Apply && !proposal_.Dates.empty());
}

void TSpieltageVorschlag::Uebernehmen() {
    if (!Apply || proposal_.Dates.empty())
        return;
    Apply(SpinJahr->value(), Calendar());
    accept();
}
