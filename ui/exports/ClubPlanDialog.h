#pragma once
// "Plan eines Vereins": choose a club of the season, then print it or save
// it as PDF, iCalendar or CSV.
#include "season/Clashes.h"

#include <QDialog>

#include <vector>

class QLabel;
class QListWidget;
class QPushButton;
class TClubPlanExports;

class TClubPlanDialog : public QDialog {
    Q_OBJECT
public:
    // Both must outlive the dialog.
    TClubPlanDialog(const TSeason& season, TClubPlanExports& exports, QWidget* parent = nullptr);

    // The chosen club, NoClub when none.
    TClubId Club() const;
    void SelectClub(TClubId club);

    QLabel* Label1 = nullptr;
    QListWidget* ListBox1 = nullptr; // the clubs with teams, by name
    QPushButton* ButtonPrint = nullptr;
    QPushButton* ButtonPdf = nullptr;
    QPushButton* ButtonCalendar = nullptr;
    QPushButton* ButtonCsv = nullptr;
    QPushButton* ButtonClose = nullptr;

private:
    const TSeason& season_;
    TClubPlanExports& exports_;
    std::vector<TClubId> clubs_;
};
