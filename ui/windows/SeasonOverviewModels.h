#pragma once
// What the season overview shows, as item models: the clashes grouped by
// date (date, clash, game) and every club's home games per date.
#include "season/Clashes.h"

#include <QAbstractTableModel>
#include <QStandardItemModel>

#include <vector>

// The season's division index of a game or entry line; other lines have none.
inline constexpr int DivisionRole = Qt::UserRole + 1;
// The club of a clash line and of its games.
inline constexpr int ClubRole = Qt::UserRole + 2;

enum TClashColumn { ccWhat, ccKind, ccTime, ccDivision, ccDay, ccHome, ccAway, ccCount };

// Replaces the model's content: one line per date (double entries last,
// under one line of their own), below it one line per clash naming club,
// kind, time, divisions, match days and teams, below that one per game.
void FillClashModel(QStandardItemModel& model, const TSeason& season);
// The same with the clashes given (the season's with the holiday findings):
// a holiday line names the holiday where a clash names the club.
void FillClashModel(QStandardItemModel& model, const TSeason& season,
                    const std::vector<TClash>& clashes);

// Replaces the model's content: one line per tie (date, time, division,
// match day, home, away, state or result, note), each carrying its division.
void FillTieListModel(QStandardItemModel& model, const TSeason& season,
                      const std::vector<TGameRef>& ties);

// "Sa 26.09.2009" in the settings' short date format.
QString DateWithWeekday(TDaySerial day, const TRegionalSettings& settings);

// Rows: the clubs with home games, by name; columns: the club, then the
// season's dates. A cell holds the home games on that date, marked where a
// game time is beyond the hall's capacity or the hall is blocked.
class THomeGamesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetSeason(const TSeason* season);
    TClubId ClubAt(int row) const;
    int RowOfClub(TClubId club) const;
    const std::vector<TDaySerial>& Dates() const { return dates_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    bool OverCapacity(TClubId club, TDaySerial date) const;

    const TSeason* season_ = nullptr;
    std::vector<TClubId> clubs_;
    std::vector<TDaySerial> dates_;
    std::vector<int> counts_; // clubs_ x dates_
};
