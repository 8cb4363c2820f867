#include "ui/windows/Auswahl_Spt.h"

#include "data/Records.h"
#include "ui/ScreenReaderNames.h"
#include "ui/controls/DBGrid.h"
#include "ui/controls/StaffelplanFonts.h"
#include "ui/controls/StaffelplanGlyphs.h"
#include "ui/controls/StaffelplanWidgets.h"
#include "ui/windows/ScreenReaderTexts.h"

#include <QLabel>
#include <QPushButton>

TAuswahl_Spt::TAuswahl_Spt(TDataSource* d_spieltage, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Spieltage auswählen");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(307, 214);
    setFont(UiFont({"Tahoma", 10}));

    Label1 = new QLabel("Spieltage des Jahres verwenden: ", this);
    Label1->setFont(UiFont({"Tahoma", 10, true}));
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setGeometry(8, 8, 220, 16);

    DBGrid1 = new TDBGrid(this);
    DBGrid1->setFont(UiFont({"Tahoma", 8}));
    DBGrid1->setGeometry(8, 26, 289, 156);
    std::vector<TDBGridColumn> columns{{"Jahr", -1, UiFont({"Tahoma", 8, true})}};
    for (int i = 0; i < SpieltagCount; ++i)
        columns.push_back({SpieltagDateFieldName(static_cast<TSpieltagKey>(i))});
    DBGrid1->SetColumns(std::move(columns));
    DBGrid1->SetDataSource(d_spieltage);
    DBGrid1->SetReadOnly(true);

    BitBtn1 = new QPushButton(QIcon(OkGlyph()), "Spieltage übernehmen", this);
    BitBtn1->setGeometry(8, 186, 169, 25);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    BitBtn2 = new QPushButton(QIcon(CancelGlyph()), "Abbrechen", this);
    BitBtn2->setGeometry(192, 186, 105, 25);
    BitBtn2->setAutoDefault(false);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    SetScreenReaderTexts(*this);
    CentreOnScreen(this);
    NameRemainingControls(*this);
}

void TAuswahl_Spt::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    DBGrid1->setFocus();
}
