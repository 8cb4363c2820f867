#pragma once
// TSpieltageVorschlag, "Spieltage vorschlagen": the inputs of a season's
// match-day proposal with their defaults, the proposed dates beside the
// dates ruled out and why, recomputed at every change. "Übernehmen" hands
// the dates to the calendar window, which creates the calendar through its
// editing cycle.
#include "season/MatchDayProposal.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

// What the dialog works on: copies, so that nothing changes under it.
struct TMatchDaySources {
    int Year = 0;
    std::optional<TGermanState> State;
    std::vector<TSchoolHoliday> SchoolHolidays;
    std::vector<TClubValues> Clubs;
};

using TProposedCalendar = std::vector<std::pair<TSpieltagKey, TDaySerial>>;

class TSpieltageVorschlag : public QDialog {
    Q_OBJECT
public:
    TSpieltageVorschlag(TMatchDaySources sources, QWidget* parent = nullptr);

    QComboBox* ComboLand = nullptr;
    QSpinBox* SpinJahr = nullptr;
    QComboBox* ComboTage = nullptr;
    QComboBox* ComboWochentag = nullptr;
    QDateEdit* DateFrueh = nullptr;
    QDateEdit* DateSpaet = nullptr;
    QDateEdit* DateHinrunde = nullptr;
    QSpinBox* SpinWochen = nullptr;
    QCheckBox* CheckNachbarn = nullptr;
    QTableWidget* GridVorschlag = nullptr;
    QTableWidget* GridAusgeschlossen = nullptr;
    QLabel* LabelErgebnis = nullptr;
    QPushButton* ButtonUebernehmen = nullptr;

    // Told the state whenever the user picks one, to keep it.
    std::function<void(TGermanState)> RememberState;
    // Takes the year and the dates; unset, "Übernehmen" is off.
    std::function<void(int year, const TProposedCalendar&)> Apply;

    TMatchDayInputs Inputs() const;
    const TMatchDayProposal& Proposal() const { return proposal_; }
    // The proposal's dates by match day, in time order.
    TProposedCalendar Calendar() const;
    void Recompute();
    void Uebernehmen();

private:
    void CreateControls();
    void SetDefaultDates(int year);
    void ShowProposal();

    TMatchDaySources sources_;
    TMatchDayProposal proposal_;
    bool filling_ = false;
};
