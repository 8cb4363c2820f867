// Where every control of the main window stands, how it looks, and the tab order.
#include "ui/windows/Staffelplan.h"

#include "data/Records.h"
#include "ui/ErrorGuard.h"
#include "ui/controls/DBCheckBox.h"
#include "ui/controls/DBEdit.h"
#include "ui/controls/DBGrid.h"
#include "ui/controls/DataSource.h"
#include "ui/controls/MYDBNav.h"
#include "ui/controls/StaffelplanFonts.h"
#include "ui/controls/StaffelplanWidgets.h"
#include "ui/windows/AboutTexts.h"

#include <QLabel>
#include <QPushButton>

namespace {

// The classic desktop colour behind the action buttons.
const QColor DesktopBackground(58, 110, 165);
constexpr int EditHeight = 21;

TPanel* MakeBox(QWidget* parent, const QString& heading, QRect place, const QFont& font) {
    auto* box = new TPanel(parent, clSkyBlue);
    box->setGeometry(place);
    auto* label = new QLabel(heading, box);
    label->setFont(font);
    label->adjustSize();
    label->move(8, 4);
    return box;
}

} // namespace

void TStaffelplan::CreateControls() {
    const int clientWidth = 765;
    const int clientHeight = 558;

    Panel4 = new TPanel(ClientArea, palette().color(QPalette::Window));
    Panel4->setGeometry(0, 0, clientWidth, 207);
    DBGrid1 = new TDBGrid(Panel4);
    DBGrid1->setGeometry(4, 0, 756, 171);
    DBGrid1->SetDataSource(d_staffel);
    DBGrid1->SetColumns({{"Jahr", 45}, {"Klasse", 163}, {"Mannschaft", 228}, {"10Klasse", 86}});

    MYDBNav1 = new TMYDBNav(Panel4);
    MYDBNav1->setFont(UiFont({"Tahoma", 8, true}));
    MYDBNav1->SetVisibleButtons(TMButtonSet::All().Exclude(nbRefresh));
    MYDBNav1->SetBounds(4, 174, 751, 25);
    MYDBNav1->SetDataSource(d_staffel);
    MYDBNav1->BeforeAction = [this](TMYDBNav* s, TMNavigateBtn b) { MYDBNav1BeforeAction(s, b); };
    MYDBNav1->OnClick = [this](TMYDBNav* s, TMNavigateBtn b) { MYDBNav1Click(s, b); };

    const int bottomPanels = 67 + 30 + 19;
    Panel5 = new TPanel(ClientArea, clSkyBlue);
    Panel5->setGeometry(0, 207, clientWidth, clientHeight - 207 - bottomPanels);
    CreateEditorPanel();
    CreateButtonPanel();

    Panel6 = new TClickPanel(ClientArea, clMoneyGreen);
    Panel6->setGeometry(0, clientHeight - 19 - 30, clientWidth, 30);
    auto* information = new QLabel("Informationen", Panel6);
    information->setFont(UiFont({"Tahoma", 10, true, true}));
    information->setAlignment(Qt::AlignCenter);
    information->setGeometry(Panel6->rect());
    SetTextColour(information, clNavy);
    connect(Panel6, &TClickPanel::Clicked, this, Guarded([this] { StatusBar1Click(); }));

    StatusBar1 = new TStatusBar(ClientArea);
    StatusBar1->setGeometry(0, clientHeight - 19, clientWidth, 19);
    StatusBar1->AddPanel(QString::fromUtf8(AboutMakerNotice), 250);
    StatusBar1->AddPanel(QStringLiteral("mailto:") + AboutContactAddress, 250);
    StatusBar1->AddPanel("Benutzung auf eigene Gefahr", 50);
    connect(StatusBar1, &TStatusBar::Clicked, this, Guarded([this] { StatusBar1Click(); }));
}

void TStaffelplan::CreateEditorPanel() {
    const QFont bold8 = UiFont({"Tahoma", 8, true});
    const QFont bold10 = UiFont({"Tahoma", 10, true});

    DBEdit25 = MakeDBEdit(Panel5, d_staffel, "Ueberschrift", {185, 9, 273, 24}, bold10);
    LabelLeftOf(DBEdit25, "Überschrift des Spielplans", bold8)->setAlignment(Qt::AlignRight);
    DBEdit3 = MakeDBEdit(Panel5, d_staffel, "Jahr", {45, 40, 46, EditHeight}, bold8);
    LabelLeftOf(DBEdit3, "Jahr", bold8);
    DBEdit2 = MakeDBEdit(Panel5, d_staffel, "Klasse", {185, 40, 165, EditHeight}, bold8);
    LabelLeftOf(DBEdit2, "Staffel", bold8)->setAlignment(Qt::AlignRight);
    DBCheckBox1 = new TDBCheckBox(Panel5);
    DBCheckBox1->setText("10er Klasse");
    DBCheckBox1->setFont(bold8);
    DBCheckBox1->setGeometry(429, 42, 89, 17);
    DBCheckBox1->SetDataSource(d_staffel);
    DBCheckBox1->SetDataField("10Klasse");
    DBCheckBox1->SetValueChecked("Wahr");
    DBCheckBox1->SetValueUnchecked("Falsch");
    DBEdit4 = MakeDBEdit(Panel5, d_staffel, "Mannschaft", {613, 40, 146, EditHeight}, bold8);
    LabelLeftOf(DBEdit4, "Mannschaft", bold8);

    const int rowY[5] = {27, 53, 79, 105, 131};
    Panel1 = MakeBox(Panel5, "Spieltage", {449, 66, 311, 160}, bold10);
    Panel2 = MakeBox(Panel5, "Mannschaften", {4, 66, 438, 160}, bold10);

    for (int i = 0; i < SlotCount; ++i) {
        const auto slot = static_cast<TSlotName>(i);
        const std::string name(SlotFieldName(slot));
        const int x = i % 2 == 0 ? 27 : 247;
        SlotEdits[i] =
            MakeDBEdit(Panel2, d_staffel, name.c_str(), {x, rowY[i / 2], 162, EditHeight}, bold8);
        LabelLeftOf(SlotEdits[i], QString::fromStdString(name), bold8);
    }
    for (int i = 0; i < SpieltagCount; ++i) {
        const auto key = static_cast<TSpieltagKey>(i);
        const std::string field = SpieltagDateFieldName(key);
        // 1..4 left, 5..8 right, 4A and 8A in a fifth row.
        const int column = i < 8 ? i / 4 : i - 8;
        const int row = i < 8 ? i % 4 : 4;
        DateEdits[i] = MakeDBEdit(Panel1, d_staffel, field.c_str(),
                                  {column == 0 ? 51 : 209, rowY[row], 81, EditHeight}, bold8);
        auto* label = LabelLeftOf(
            DateEdits[i],
            "Spt. " + QString::fromLatin1(SpieltagKeyName(key).data(), SpieltagKeyName(key).size()),
            bold8);
        if (i >= 8) {
            SetTextColour(label, clMaroon);
            SetTextColour(DateEdits[i], clMaroon);
        }
    }

    // Heading, year, class, check box, own team, match days box, teams box.
    QWidget* order[] = {DBGrid1, DBEdit25, DBEdit3, DBEdit2, DBCheckBox1, DBEdit4};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    QWidget* previous = DBEdit4;
    for (TDBEdit* edit : DateEdits) {
        setTabOrder(previous, edit);
        previous = edit;
    }
    for (TDBEdit* edit : SlotEdits) {
        setTabOrder(previous, edit);
        previous = edit;
    }
}

void TStaffelplan::CreateButtonPanel() {
    Panel3 = new TPanel(ClientArea, DesktopBackground);
    Panel3->setGeometry(0, 558 - 19 - 30 - 67, 765, 67);
    const QFont font = UiFont({"Tahoma", 10, true});
    // Their actions (TStaffelplanCommands) run the handlers.
    auto makeButton = [&](const char* caption, QRect place) {
        auto* button = new QPushButton(QString::fromUtf8(caption), Panel3);
        button->setFont(font);
        button->setGeometry(place);
        button->setAutoDefault(false);
        return button;
    };
    Button1 = makeButton("Spielplan ausdrucken", {9, 7, 410, 25});
    Button3 = makeButton("Staffel kopieren", {9, 38, 410, 25});
    Button5 = makeButton("Spieltage verwalten", {449, 6, 307, 26});
    Button6 = makeButton("Spieltage den Staffeln zuordnen", {449, 38, 307, 25});
    QWidget* previous = SlotEdits.back();
    for (QWidget* button : {Button1, Button3, Button5, Button6}) {
        setTabOrder(previous, button);
        previous = button;
    }
}
