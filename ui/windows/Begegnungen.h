#pragma once
// TBegegnungen, the results window of one division: its ties in date and
// time order, results typed straight into the row (Tab to the next field,
// Enter saves and goes to the next open tie), a moved tie's date and time,
// state buttons, undo of the last save, and the records that lost their
// tie ("Begegnungen ohne Spiel") to reattach or delete. Every change is one
// save of the tie file through the store.
#include "season/Clashes.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;
class TStandingsExports;
class TStore;
class TTabelle;
class TTieGrid;
class TTieRowsModel;

class TBegegnungen : public QDialog {
    Q_OBJECT
public:
    TBegegnungen(TStore& store, TStandingsExports& exports, QWidget* parent = nullptr);
    ~TBegegnungen() override;

    QLabel* Label1 = nullptr; // the division
    TTieGrid* Grid1 = nullptr;
    TTieRowsModel* Rows = nullptr;
    QPushButton* ButtonKampflosHeim = nullptr;
    QPushButton* ButtonKampflosGast = nullptr;
    QPushButton* ButtonAbgesetzt = nullptr;
    QPushButton* ButtonUmgewertetHeim = nullptr;
    QPushButton* ButtonUmgewertetGast = nullptr;
    QPushButton* ButtonOffen = nullptr;
    QPushButton* ButtonUndo = nullptr;  // "Rückgängig"
    QListWidget* ListOrphans = nullptr; // "Begegnungen ohne Spiel"
    QPushButton* ButtonReattach = nullptr;
    QPushButton* ButtonDeleteOrphan = nullptr;
    QPushButton* ButtonTabelle = nullptr;
    QPushButton* ButtonClose = nullptr;
    // The table beside this window, created when first opened.
    TTabelle* Tabelle = nullptr;

    // Seam: which tie a record without one gets (texts of the ties without
    // a record, UTF-8); -1 when cancelled.
    std::function<int(const QStringList& ties)> ChooseTie;

    // Shows that division (Klasse Windows-1252) and keeps following it.
    void ShowDivision(std::int32_t year, const std::string& klasse);
    // Reads the tables again.
    void Refresh();
    const TSeason* Season() const { return season_.get(); }
    int Division() const { return division_; }
    int CurrentRow() const;
    void SetReadOnly();

    // Saves the row as typed; false when refused (the message shown, the
    // typed text kept).
    bool SaveRow(int row);
    // Enter: saves the current row and opens the next open tie for typing.
    void SaveAndNext();
    // A state button on the current row, saved at once.
    void SetState(TTieState state);
    bool CanUndo() const { return undo_.has_value(); }
    void Undo();
    // The ties of the division with both teams and no record, as rows.
    std::vector<int> RowsWithoutRecord() const;
    void ReattachOrphan(int orphan, int row);
    void DeleteOrphan(int orphan);
    const std::vector<TTieRecord>& Orphans() const { return orphans_; }
    void OpenTabelle();

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct TUndo {
        TTieRecord Saved;
        std::optional<TTieRecord> Before;
    };
    void CreateControls();
    void ShowContent();
    void UpdateButtons();
    void AfterSave(const std::string& fileName);
    // The row's record as typed; a text that is no value is shown, nothing returned.
    std::optional<TTieRecord> TypedRecord(int row) const;
    bool Save(const TSeasonGame& game, const TTieRecord& record);
    // Writes the tie file without following its own save; a failure reads
    // the tables again and propagates.
    void Write(const std::function<void()>& work);
    void SelectGame(const TSeasonGame& game);
    void Reattach();
    void ConfirmDeleteOrphan();

    TStore& store_;
    TStandingsExports& exports_;
    std::int32_t year_ = 0;
    std::string klasse_;
    std::unique_ptr<TSeason> season_;
    int division_ = -1;
    std::vector<TTieRecord> orphans_;
    std::optional<TUndo> undo_;
    bool saving_ = false;
    bool stale_ = false;
    bool readOnly_ = false;
};
