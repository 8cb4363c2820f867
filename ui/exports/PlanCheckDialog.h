#pragma once
// Shows the findings of a division's plan check, or that there are none.
#include "report/PlanCheck.h"

#include <QDialog>

#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

class TPlanCheckDialog : public QDialog {
    Q_OBJECT
public:
    TPlanCheckDialog(const TDivisionValues& division, const std::vector<TPlanFinding>& findings,
                     QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;        // the division and the result
    QListWidget* ListBox1 = nullptr; // one finding per line; hidden when none
    QPushButton* Button1 = nullptr;  // "OK"
};
