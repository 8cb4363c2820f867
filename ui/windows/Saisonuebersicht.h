#pragma once
// TSaisonuebersicht, the season overview: for a chosen season the clashes
// grouped by date, every club's home games per date and the games without a
// date. It follows every save of the division and club tables without being
// reopened; a double click on a game makes its division current.
#include "season/PublicHolidays.h"
#include "season/SeasonFollower.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QAction;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QModelIndex;
class QPushButton;
class QStandardItemModel;
class QTabWidget;
class QTableView;
class QTreeView;
class THomeGamesModel;
class TStore;

class TSaisonuebersicht : public QWidget {
    Q_OBJECT
public:
    TSaisonuebersicht(TStore& store, QWidget* parent = nullptr);
    ~TSaisonuebersicht() override;

    QComboBox* ComboBox1 = nullptr; // the season (years present)
    QLabel* Label1 = nullptr;       // clash count and games without a date
    QTabWidget* PageControl1 = nullptr;
    QTreeView* TreeView1 = nullptr;   // the clashes by date
    QTableView* TableView1 = nullptr; // home games per club and date
    QTreeView* TreeMoved = nullptr;   // moved ties
    QTreeView* TreeMissing = nullptr; // "Ergebnis fehlt": past, no result
    QStandardItemModel* MovedModel = nullptr;
    QStandardItemModel* MissingModel = nullptr;
    QStandardItemModel* ClashModel = nullptr;
    THomeGamesModel* HomeGamesModel = nullptr;

    // The window's actions, one button each in the button row.
    QAction* ExportClashesAction = nullptr;
    QAction* CloseAction = nullptr;
    // Adds a button for the action before the close button.
    QPushButton* AddAction(QAction* action);
    QPushButton* ButtonOf(QAction* action) const;

    // Seams. SelectDivision gets the division's row in the division table's
    // display order; AskSaveFileName returns an empty name when cancelled.
    std::function<void(int displayRow)> SelectDivision;
    std::function<QString(QWidget* parent, const QString& caption, const QString& fileName,
                          const QString& filter)>
        AskSaveFileName;
    // The state whose public holidays are findings; unset: the saved one.
    std::function<std::optional<TGermanState>()> HolidayState;
    // The day whose past ties lack a result; empty: today.
    std::function<TDaySerial()> CurrentDay;

    // Shows that season (nothing: the current division's, else the latest).
    void ShowSeason(std::optional<std::int32_t> year = std::nullopt);
    // Reads the tables again; recomputes only what changed.
    TFollowResult Follow();
    const TSeason* Season() const { return follower_.Season(); }
    // The clashes shown, with the match days in holidays (ckHoliday).
    const std::vector<TClash>& Findings() const { return findings_; }
    std::optional<std::int32_t> Year() const { return follower_.Year(); }
    // The club of the selected line or row, NoClub when none.
    TClubId CurrentClub() const;
    // The season's division of the selected line of the shown page, -1 none.
    int CurrentDivision() const;

    void ExportClashes();
    // A game or entry line: its division becomes current.
    void OpenLine(const QModelIndex& index);

signals:
    // After the shown season changed (another season, or a save).
    void SeasonShown();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    void FillYears();
    void ShowContent();
    void AfterSave(const std::string& fileName);
    void ShowTieLists();
    std::vector<TTieRecord> TieRecords() const;

    TStore& store_;
    TSeasonFollower follower_;
    std::vector<TClash> findings_;
    QHBoxLayout* buttons_ = nullptr;
    std::vector<std::pair<QAction*, QPushButton*>> buttonOf_;
    bool stale_ = false;
};
