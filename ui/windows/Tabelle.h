#pragma once
// TTabelle, a division's table beside its results: rank, team, ties, wins,
// draws, losses, points, matches, games and rally points with their
// differences, footnotes for deductions and withdrawals. A team can be
// marked withdrawn and given a points deduction (records of the tie file);
// the table goes to the report output, to PDF and to CSV.
#include "report/DivisionValues.h"
#include "season/Standings.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;
class TSeason;
class TStandingsExports;
class TStore;

struct TDeductionInput {
    int Points = 0;     // 0 takes a deduction back
    std::string Reason; // Windows-1252
};

class TTabelle : public QDialog {
    Q_OBJECT
public:
    TTabelle(TStore& store, TStandingsExports& exports, QWidget* parent = nullptr);
    ~TTabelle() override;

    QLabel* Label1 = nullptr; // the division
    QTableWidget* Grid1 = nullptr;
    QLabel* LabelNotes = nullptr;           // the footnotes
    QPushButton* ButtonWithdraw = nullptr;  // "zurückgezogen"
    QPushButton* ButtonDeduction = nullptr; // "Punktabzug …"
    QPushButton* ButtonPrint = nullptr;     // "Drucken …"
    QPushButton* ButtonPdf = nullptr;       // "Als PDF speichern …"
    QPushButton* ButtonCsv = nullptr;       // "Als CSV exportieren …"
    QPushButton* ButtonClose = nullptr;

    // After a team's record was saved; the owner shows the table anew.
    std::function<void(const TTieRecord& record, bool removed)> Changed;
    // Seam: asks points and reason for a team (UTF-8 name); nothing when cancelled.
    std::function<std::optional<TDeductionInput>(const QString& team,
                                                 const TDeductionInput& current)>
        AskDeduction;

    void ShowStandings(const TSeason& season, int division);
    const TDivisionStandings& Standings() const { return standings_; }
    int CurrentRow() const;
    void SetReadOnly(bool readOnly);

    // Each saves the tie file at once; fails (German) like every save.
    void SetWithdrawn(int row, bool withdrawn);
    void SetDeduction(int row, const TDeductionInput& input);
    // The buttons: withdrawal asks first, the deduction asks its figures.
    void ToggleWithdrawn();
    void EnterDeduction();
    void Print();
    void SavePdf();
    void ExportCsv();

private:
    void CreateControls();
    void UpdateButtons();
    std::optional<TTieRecord> TeamRecord(const std::string& team) const;
    void Save(const TTieRecord& record);
    void Remove(const TTieRecord& record);

    TStore& store_;
    TStandingsExports& exports_;
    TDivisionValues division_;
    TDivisionStandings standings_;
    std::vector<TTieRecord> teamRecords_;
    bool hasDivision_ = false;
    bool readOnly_ = false;
};
