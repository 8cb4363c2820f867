#include "ui/windows/TieRowsModel.h"

#include "report/qt/QtText.h"
#include "ui/ErrorGuard.h"

#include <QBrush>
#include <QColor>

namespace {

std::string* TextOf(TTypedTie& tie, int column) {
    switch (column) {
    case tcDate:
        return &tie.Datum;
    case tcTime:
        return &tie.Uhrzeit;
    case tcSpiele:
        return &tie.Spiele;
    case tcSaetze:
        return &tie.Saetze;
    case tcPunkte:
        return &tie.Punkte;
    case tcNote:
        return &tie.Bemerkung;
    default:
        return nullptr;
    }
}

} // namespace

bool IsTypedColumn(int column) {
    TTypedTie probe;
    return TextOf(probe, column) != nullptr;
}

TTieRowsModel::TGameKey TTieRowsModel::KeyOf(const TSeasonGame& game) {
    return {static_cast<int>(game.Day), static_cast<int>(game.Home), static_cast<int>(game.Away)};
}

void TTieRowsModel::SetDivision(const TSeason* season, int division,
                                const TRegionalSettings& settings) {
    beginResetModel();
    rows_.clear();
    std::map<TGameKey, TTypedTie> kept;
    if (season && division >= 0) {
        for (int g : TiesInTimeOrder(*season, division)) {
            const TSeasonGame& game = season->Games(division)[g];
            const TDivisionValues& values = season->Division(division);
            rows_.push_back({game, ShownTie(*season, game, settings), TeamLabel(values, game.Home),
                             TeamLabel(values, game.Away)});
            if (const auto typed = typed_.find(KeyOf(game)); typed != typed_.end())
                kept.insert(*typed);
        }
    }
    typed_ = std::move(kept);
    endResetModel();
}

const TSeasonGame& TTieRowsModel::Game(int row) const {
    return rows_.at(row).Game;
}

TTypedTie TTieRowsModel::Typed(int row) const {
    const auto typed = typed_.find(KeyOf(Game(row)));
    return typed == typed_.end() ? rows_[row].Shown : typed->second;
}

bool TTieRowsModel::HasTyped(int row) const {
    return typed_.count(KeyOf(Game(row))) > 0;
}

void TTieRowsModel::ForgetTyped(int row) {
    if (typed_.erase(KeyOf(Game(row))) > 0)
        emit dataChanged(index(row, 0), index(row, tcCount - 1));
}

int TTieRowsModel::RowOf(const TSeasonGame& game) const {
    for (int r = 0; r < rowCount(); ++r)
        if (KeyOf(rows_[r].Game) == KeyOf(game))
            return r;
    return -1;
}

int TTieRowsModel::NextOpen(int row) const {
    const int count = rowCount();
    for (int step = 1; step <= count; ++step) {
        const int r = (row + step + count) % count;
        if (rows_[r].Game.State == TTieState::Offen)
            return r;
    }
    return -1;
}

int TTieRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TTieRowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : tcCount;
}

QVariant TTieRowsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const TRow& row = rows_[index.row()];
    const TSeasonGame& game = row.Game;
    if (role == Qt::BackgroundRole && HasTyped(index.row()))
        return QBrush(QColor(255, 255, 204)); // typed, not saved yet
    if (role == Qt::TextAlignmentRole && index.column() >= tcSpiele && index.column() <= tcPunkte)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    TTypedTie typed = Typed(index.row());
    if (const std::string* text = TextOf(typed, index.column()))
        return ToQString(*text);
    switch (index.column()) {
    case tcDay:
        return ToQString(SpieltagKeyName(game.Day));
    case tcHome:
        return ToQString(row.HomeLabel);
    case tcAway:
        return ToQString(row.AwayLabel);
    case tcState:
        return game.State == TTieState::Offen ? QString() : ToQString(TieStateName(game.State));
    case tcMoved:
        return game.Moved ? QStringLiteral("verlegt") : QString();
    default:
        return {};
    }
}

bool TTieRowsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !IsTypedColumn(index.column()))
        return false;
    // Called from the editor's delegate: an unstorable character is shown, not thrown.
    return Guard([&] {
        const std::string text = FromQString(value.toString());
        TTypedTie typed = Typed(index.row());
        if (*TextOf(typed, index.column()) == text)
            return;
        *TextOf(typed, index.column()) = text;
        typed_[KeyOf(Game(index.row()))] = typed;
        emit dataChanged(this->index(index.row(), 0), this->index(index.row(), tcCount - 1));
    });
}

Qt::ItemFlags TTieRowsModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (!readOnly_ && IsTypedColumn(index.column()))
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant TTieRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const titles[tcCount] = {"Spt.",   "Datum",  "Uhrzeit",  "Heim",
                                                "Gast",   "Status", "Spiele",   "Sätze",
                                                "Punkte", "",       "Bemerkung"};
    return QString::fromUtf8(titles[section]);
}
