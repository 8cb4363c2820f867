#include "ui/windows/Saisonuebersicht.h"

#include "data/StaffelError.h"
#include "data/Store.h"
#include "data/file/AtomicFile.h"
#include "report/DivisionValues.h"
#include "season/ClashCsv.h"
#include "season/ClubTable.h"
#include "season/HolidayFindings.h"
#include "season/TieLists.h"
#include "ui/ScreenReaderNames.h"
#include "ui/ErrorGuard.h"
#include "ui/controls/StaffelplanFonts.h"
#include "ui/windows/HolidayState.h"
#include "ui/windows/SeasonOverviewModels.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QShowEvent>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTreeView>
#include <QVBoxLayout>

#include <tuple>

TSaisonuebersicht::TSaisonuebersicht(TStore& store, QWidget* parent)
    : QWidget(parent, Qt::Window), store_(store) {
    setWindowTitle(QStringLiteral("Saisonübersicht"));
    setFont(UiFont({"Tahoma", 8}));
    resize(1040, 600);
    CreateControls();
    // The store outlives this window only through the main window, which
    // deletes its windows first; the guard covers any other order.
    store_.AfterSave.push_back([self = QPointer<TSaisonuebersicht>(this)](const std::string& name) {
        if (self)
            Guard([&] { self->AfterSave(name); });
    });
    NameRemainingControls(*this);
}

TSaisonuebersicht::~TSaisonuebersicht() = default;

void TSaisonuebersicht::CreateControls() {
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* seasonLabel = new QLabel(QStringLiteral("Saison:"), this);
    seasonLabel->setFont(UiFont({"Tahoma", 8, true}));
    ComboBox1 = new QComboBox(this);
    ComboBox1->setMinimumWidth(90);
    seasonLabel->setBuddy(ComboBox1);
    Label1 = new QLabel(this);
    top->addWidget(seasonLabel);
    top->addWidget(ComboBox1);
    top->addSpacing(16);
    top->addWidget(Label1, 1);
    layout->addLayout(top);

    ClashModel = new QStandardItemModel(this);
    HomeGamesModel = new THomeGamesModel(this);
    PageControl1 = new QTabWidget(this);
    TreeView1 = new QTreeView(PageControl1);
    TreeView1->setModel(ClashModel);
    TreeView1->setUniformRowHeights(true);
    TreeView1->setAlternatingRowColors(true);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->setExpandsOnDoubleClick(true);
    TableView1 = new QTableView(PageControl1);
    TableView1->setModel(HomeGamesModel);
    TableView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TableView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    TableView1->setSelectionMode(QAbstractItemView::SingleSelection);
    TableView1->verticalHeader()->setDefaultSectionSize(20);
    TableView1->verticalHeader()->hide();
    TableView1->horizontalHeader()->setDefaultSectionSize(86);
    PageControl1->addTab(TreeView1, QStringLiteral("Konflikte"));
    PageControl1->addTab(TableView1, QStringLiteral("Heimspiele je Termin"));
    MovedModel = new QStandardItemModel(this);
    MissingModel = new QStandardItemModel(this);
    for (auto [view, model, title] :
         {std::tuple{&TreeMoved, MovedModel, QStringLiteral("Verlegte Begegnungen")},
          std::tuple{&TreeMissing, MissingModel, QStringLiteral("Ergebnis fehlt")}}) {
        *view = new QTreeView(PageControl1);
        (*view)->setModel(model);
        (*view)->setRootIsDecorated(false);
        (*view)->setUniformRowHeights(true);
        (*view)->setAlternatingRowColors(true);
        (*view)->setEditTriggers(QAbstractItemView::NoEditTriggers);
        PageControl1->addTab(*view, title);
        connect(*view, &QTreeView::doubleClicked, this,
                Guarded([this](const QModelIndex& index) { OpenLine(index); }));
    }
    layout->addWidget(PageControl1, 1);

    buttons_ = new QHBoxLayout;
    buttons_->addStretch();
    layout->addLayout(buttons_);
    ExportClashesAction = new QAction(QStringLiteral("Konflikte als CSV exportieren …"), this);
    connect(ExportClashesAction, &QAction::triggered, this, Guarded([this] { ExportClashes(); }));
    CloseAction = new QAction(QStringLiteral("Schließen"), this);
    connect(CloseAction, &QAction::triggered, this, [this] { close(); });
    AddAction(ExportClashesAction);
    AddAction(CloseAction);

    connect(ComboBox1, &QComboBox::activated, this,
            Guarded([this](int index) { ShowSeason(ComboBox1->itemData(index).toInt()); }));
    connect(TreeView1, &QTreeView::doubleClicked, this,
            Guarded([this](const QModelIndex& index) { OpenLine(index); }));
}

QPushButton* TSaisonuebersicht::AddAction(QAction* action) {
    auto* button = new QPushButton(action->text(), this);
    button->setAutoDefault(false);
    button->setEnabled(action->isEnabled());
    connect(button, &QPushButton::clicked, action, &QAction::trigger);
    connect(action, &QAction::changed, button, [action, button] {
        button->setText(action->text());
        button->setEnabled(action->isEnabled());
        button->setVisible(action->isVisible());
    });
    // The close button stays last.
    const int closeAt = CloseAction && action != CloseAction && ButtonOf(CloseAction)
                            ? buttons_->indexOf(ButtonOf(CloseAction))
                            : buttons_->count();
    buttons_->insertWidget(closeAt, button);
    buttonOf_.emplace_back(action, button);
    return button;
}

QPushButton* TSaisonuebersicht::ButtonOf(QAction* action) const {
    for (const auto& [a, button] : buttonOf_)
        if (a == action)
            return button;
    return nullptr;
}

void TSaisonuebersicht::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Unchanged divisions and clubs may still have new holidays to show.
    if (stale_)
        Guard([this] {
            if (Follow() == frUnchanged)
                ShowContent();
        });
}

void TSaisonuebersicht::AfterSave(const std::string& fileName) {
    if (fileName != StaffelFileName && fileName != VereineFileName &&
        fileName != BegegnungenFileName && fileName != FerienFileName)
        return;
    // A hidden window catches up when it is shown again.
    if (!isVisible() || !follower_.Season()) {
        stale_ = true;
        return;
    }
    if (Follow() == frUnchanged && fileName == FerienFileName)
        ShowContent();
}

void TSaisonuebersicht::ShowSeason(std::optional<std::int32_t> year) {
    TRecordTable& staffel = store_.t_staffel();
    if (!year && staffel.Active() && staffel.DisplayCount() > 0)
        if (const TField* field = staffel.FindField("Jahr"); field && !field->IsNull())
            year = field->AsInteger();
    if (!year) {
        const std::vector<std::int32_t> years = SeasonYears(AllDivisions(staffel));
        if (!years.empty())
            year = years.back();
    }
    const std::int32_t chosen = year.value_or(0);
    follower_ = TSeasonFollower();
    const std::vector<TClubValues> clubs = ClubsFromTable(store_.t_vereine()).Clubs;
    follower_.Follow(AllDivisions(staffel), clubs, chosen, staffel.Settings(), TieRecords());
    stale_ = false;
    FillYears();
    ShowContent();
}

TFollowResult TSaisonuebersicht::Follow() {
    if (!follower_.Season()) {
        ShowSeason();
        return frRebuilt;
    }
    TRecordTable& staffel = store_.t_staffel();
    const std::vector<TClubValues> clubs = ClubsFromTable(store_.t_vereine()).Clubs;
    const TFollowResult result = follower_.Follow(AllDivisions(staffel), clubs, *follower_.Year(),
                                                  staffel.Settings(), TieRecords());
    stale_ = false;
    FillYears();
    if (result != frUnchanged)
        ShowContent();
    return result;
}

void TSaisonuebersicht::FillYears() {
    std::vector<std::int32_t> years = SeasonYears(AllDivisions(store_.t_staffel()));
    const std::int32_t shown = follower_.Year().value_or(0);
    if (std::find(years.begin(), years.end(), shown) == years.end()) {
        years.push_back(shown);
        std::sort(years.begin(), years.end());
    }
    const QSignalBlocker quiet(ComboBox1);
    ComboBox1->clear();
    for (std::int32_t year : years)
        ComboBox1->addItem(QString::number(year), year);
    ComboBox1->setCurrentIndex(ComboBox1->findData(shown));
}

void TSaisonuebersicht::ShowContent() {
    const TSeason& season = *follower_.Season();
    findings_ = ClashesWithHolidays(
        season, DaysOffOf(store_, HolidayState ? HolidayState() : SavedHolidayState()));
    FillClashModel(*ClashModel, season, findings_);
    HomeGamesModel->SetSeason(&season);
    TreeView1->expandToDepth(0);
    TreeView1->header()->resizeSection(ccWhat, 190);
    TreeView1->header()->resizeSection(ccKind, 80);
    TreeView1->header()->resizeSection(ccTime, 55);
    TreeView1->header()->resizeSection(ccDivision, 230);
    TreeView1->header()->resizeSection(ccDay, 60);
    TableView1->setColumnWidth(0, 170);

    const int holidays = static_cast<int>(std::count_if(
        findings_.begin(), findings_.end(), [](const TClash& c) { return c.Kind == ckHoliday; }));
    const int clashes = static_cast<int>(findings_.size()) - holidays;
    const int undated = season.UnscheduledCount();
    QString text = clashes == 0   ? QStringLiteral("Keine Konflikte")
                   : clashes == 1 ? QStringLiteral("1 Konflikt")
                                  : QStringLiteral("%1 Konflikte").arg(clashes);
    text += QStringLiteral(" · ");
    text += undated == 1 ? QStringLiteral("1 Spiel ohne Datum")
                         : QStringLiteral("%1 Spiele ohne Datum").arg(undated);
    if (holidays > 0)
        text += holidays == 1
                    ? QStringLiteral(" · 1 Spieltag in Ferien oder an Feiertagen")
                    : QStringLiteral(" · %1 Spieltage in Ferien oder an Feiertagen").arg(holidays);
    text += season.DivisionCount() == 1
                ? QStringLiteral(" · 1 Staffel")
                : QStringLiteral(" · %1 Staffeln").arg(season.DivisionCount());
    Label1->setText(text);
    ShowTieLists();
    ExportClashesAction->setEnabled(!findings_.empty());
    emit SeasonShown();
}

std::vector<TTieRecord> TSaisonuebersicht::TieRecords() const {
    return TiesFromTable(store_.t_begegnungen()).Ties;
}

void TSaisonuebersicht::ShowTieLists() {
    const TSeason& season = *follower_.Season();
    FillTieListModel(*MovedModel, season, MovedTies(season));
    FillTieListModel(*MissingModel, season,
                     TiesWithoutResult(season, CurrentDay ? CurrentDay() : Today()));
    for (QTreeView* view : {TreeMoved, TreeMissing}) {
        view->header()->resizeSection(0, 90);
        view->header()->resizeSection(1, 55);
        view->header()->resizeSection(2, 200);
        view->header()->resizeSection(3, 40);
        view->header()->resizeSection(4, 160);
        view->header()->resizeSection(5, 160);
        view->header()->resizeSection(6, 110);
    }
    PageControl1->setTabText(
        PageControl1->indexOf(TreeMoved),
        QStringLiteral("Verlegte Begegnungen (%1)").arg(MovedModel->rowCount()));
    PageControl1->setTabText(PageControl1->indexOf(TreeMissing),
                             QStringLiteral("Ergebnis fehlt (%1)").arg(MissingModel->rowCount()));
}

int TSaisonuebersicht::CurrentDivision() const {
    const auto* view = qobject_cast<const QAbstractItemView*>(PageControl1->currentWidget());
    if (!view || view == TableView1)
        return -1;
    const QVariant division = view->currentIndex().data(DivisionRole);
    return division.isValid() ? division.toInt() : -1;
}

TClubId TSaisonuebersicht::CurrentClub() const {
    if (PageControl1->currentWidget() == TableView1)
        return HomeGamesModel->ClubAt(TableView1->currentIndex().row());
    const QModelIndex index = TreeView1->currentIndex();
    const QVariant club = index.data(ClubRole);
    return club.isValid() ? club.toInt() : NoClub;
}

void TSaisonuebersicht::OpenLine(const QModelIndex& index) {
    const QVariant division = index.data(DivisionRole);
    if (!division.isValid() || !follower_.Season() || !SelectDivision)
        return;
    SelectDivision(follower_.DisplayRow(division.toInt()));
}

void TSaisonuebersicht::ExportClashes() {
    const TSeason* season = follower_.Season();
    if (!season || findings_.empty())
        throw TStaffelError("In dieser Saison gibt es keine Konflikte, die exportiert werden "
                            "könnten.");
    const QString caption = QStringLiteral("Konflikte als CSV exportieren");
    const QString name = QStringLiteral("Konflikte %1.csv").arg(follower_.Year().value_or(0));
    const QString filter = QStringLiteral("CSV-Dateien (*.csv);;Alle Dateien (*)");
    const QString fileName = AskSaveFileName
                                 ? AskSaveFileName(this, caption, name, filter)
                                 : QFileDialog::getSaveFileName(this, caption, name, filter);
    if (fileName.isEmpty())
        return;
    WriteFileAtomically(QFile::encodeName(fileName).toStdString(),
                        MakeClashCsv(*season, findings_));
}
