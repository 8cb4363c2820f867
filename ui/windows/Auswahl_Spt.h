#pragma once
// TAuswahl_Spt, the calendar chooser: the user moves its grid to a calendar
// (the current row of the calendar table) and takes it with OK.
#include <QDialog>

class QLabel;
class QPushButton;
class TDataSource;
class TDBGrid;

class TAuswahl_Spt : public QDialog {
    Q_OBJECT
public:
    explicit TAuswahl_Spt(TDataSource* d_spieltage, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    TDBGrid* DBGrid1 = nullptr;
    QPushButton* BitBtn1 = nullptr; // OK, the default button
    QPushButton* BitBtn2 = nullptr; // Cancel, also Escape

protected:
    void showEvent(QShowEvent* event) override;
};
