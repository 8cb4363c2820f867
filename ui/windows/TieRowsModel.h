#pragma once
// The results window's rows: one per tie of the division in date and time
// order, with what the user typed and has not saved yet kept per tie, also
// across a refresh.
#include "season/TieEntry.h"

#include <QAbstractTableModel>

#include <map>
#include <optional>
#include <tuple>
#include <vector>

enum TTieColumn {
    tcDay,
    tcDate,
    tcTime,
    tcHome,
    tcAway,
    tcState,
    tcSpiele,
    tcSaetze,
    tcPunkte,
    tcMoved,
    tcNote,
    tcCount
};

class TTieRowsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // The division's ties of the season (nullptr or -1: none); typed texts
    // of ties still there stay.
    void SetDivision(const TSeason* season, int division, const TRegionalSettings& settings);
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

    const TSeasonGame& Game(int row) const;
    // What the row stands for now: the typed texts, else those shown.
    TTypedTie Typed(int row) const;
    bool HasTyped(int row) const;
    void ForgetTyped(int row);
    // The row of the game with that match day and slots, -1 none.
    int RowOf(const TSeasonGame& game) const;
    // The first open tie after row, from the top again; -1 none.
    int NextOpen(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    using TGameKey = std::tuple<int, int, int>; // match day, home slot, away slot
    static TGameKey KeyOf(const TSeasonGame& game);

    struct TRow {
        TSeasonGame Game;
        TTypedTie Shown;
        std::string HomeLabel; // Windows-1252
        std::string AwayLabel;
    };
    std::vector<TRow> rows_;
    std::map<TGameKey, TTypedTie> typed_;
    bool readOnly_ = false;
};

// Whether the column takes typing.
bool IsTypedColumn(int column);
