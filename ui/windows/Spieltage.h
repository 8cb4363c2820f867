#pragma once
// TSpieltage, the calendar window: browse, add, change and delete the
// per-year match-day calendars; a posted calendar is saved at once.
#include "ui/controls/MYDBNavTypes.h"
#include "ui/windows/EditCycle.h"

#include "data/Records.h"

#include <QDialog>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QPushButton;
class TDataSource;
class TDBEdit;
class TDBGrid;
class TMYDBNav;
class TStore;

class TSpieltage : public QDialog {
    Q_OBJECT
public:
    // Binds to the main window's calendar data source; saves through store.
    TSpieltage(TStore& store, TDataSource* d_spieltage, QWidget* parent = nullptr);
    ~TSpieltage() override;

    TDBEdit* DBEdit3 = nullptr;           // Jahr
    std::array<TDBEdit*, 10> DateEdits{}; // DBEdit15 .. DBEdit24: 1dat .. 8dat, 4Adat, 8Adat
    TDBGrid* DBGrid1 = nullptr;
    TMYDBNav* MYDBNav1 = nullptr;
    QPushButton* ButtonVorschlag = nullptr; // "Spieltage vorschlagen …"
    QPushButton* ButtonFerien = nullptr;    // "Ferien importieren …"

    // Seams: showing the proposal dialog modally, choosing the iCalendar file.
    std::function<int(QDialog&)> ShowDialog;
    std::function<QString(QWidget*)> AskICalFile;

    // The proposal dialog for the season DefaultSeasonYear names; its
    // "Übernehmen" ends in TakeCalendar.
    void SpieltageVorschlagen();
    void FerienImportieren();
    // The calendar of that year (a new one, or the existing one's dates
    // replaced once confirmed) through the navigator: edit, dates, post, so
    // that the editing cycle saves it.
    void TakeCalendar(int year, const std::vector<std::pair<TSpieltagKey, TDaySerial>>& dates);

    void DisableEditors();
    void EnableEditors();
    // The navigator's editing buttons off for good; browsing and leaving work.
    void SetReadOnly();
    void MYDBNav1BeforeAction(TMYDBNav* Sender, TMNavigateBtn Button);
    void MYDBNav1Click(TMYDBNav* Sender, TMNavigateBtn Button);

private:
    void CreateControls(TDataSource* d_spieltage);
    void FormCreate();

    TStore& store_;
    std::unique_ptr<TEditCycle> cycle_;
    bool readOnly_ = false;
};
