#pragma once
// Shows the findings of a division's plan check and its clashes with the
// other divisions of its season, or that there are none.
#include "report/PlanCheck.h"

#include <QDialog>

#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

class TPlanCheckDialog : public QDialog {
    Q_OBJECT
public:
    // seasonClashes: UTF-8, one line per clash.
    TPlanCheckDialog(const TDivisionValues& division, const std::vector<TPlanFinding>& findings,
                     const std::vector<std::string>& seasonClashes, QWidget* parent = nullptr);
    TPlanCheckDialog(const TDivisionValues& division, const std::vector<TPlanFinding>& findings,
                     QWidget* parent = nullptr)
        : TPlanCheckDialog(division, findings, {}, parent) {}

    QLabel* Label1 = nullptr;        // the division and the result
    QListWidget* ListBox1 = nullptr; // one finding or clash per line; hidden when none
    QPushButton* Button1 = nullptr;  // "OK"
};
