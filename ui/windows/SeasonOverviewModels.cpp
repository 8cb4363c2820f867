#include "ui/windows/SeasonOverviewModels.h"

#include "report/qt/QtText.h"
#include "season/ClashCsv.h"
#include "season/ClashText.h"
#include "season/TieEntry.h"

#include <QBrush>
#include <QColor>

#include <algorithm>
#include <unordered_map>

namespace {

const QColor ClashColour(255, 214, 214);

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

QStandardItem* Cell(const QString& text) {
    auto* item = new QStandardItem(text);
    item->setEditable(false);
    return item;
}

QList<QStandardItem*> Line(const QStringList& texts) {
    QList<QStandardItem*> line;
    for (const QString& text : texts)
        line.append(Cell(text));
    return line;
}

void Mark(const QList<QStandardItem*>& line, int role, const QVariant& value) {
    for (QStandardItem* item : line)
        item->setData(value, role);
}

QString Joined(const QStringList& parts) {
    QStringList distinct;
    for (const QString& part : parts)
        if (!distinct.contains(part))
            distinct.append(part);
    return distinct.join(QStringLiteral(", "));
}

QList<QStandardItem*> ClashLine(const TSeason& season, const TClash& clash) {
    const QString club = clash.Kind == ckHoliday ? Utf8(clash.Holiday)
                         : clash.Club == NoClub  ? QString()
                                                 : ToQString(season.Clubs().Club(clash.Club).Name);
    const QString kind = Utf8(std::string(ClashKindName(clash.Kind)));
    QList<QStandardItem*> line;
    if (clash.Kind == ckDouble) {
        QStringList divisions;
        for (const TTeamEntry& entry : clash.Entries)
            divisions.append(Utf8(DivisionTitleUtf8(season.Division(entry.Division))));
        line = Line({club, kind, QString(), Joined(divisions), QString(), ToQString(clash.Team),
                     QString()});
        for (const TTeamEntry& entry : clash.Entries) {
            const TDivisionValues& division = season.Division(entry.Division);
            auto entryLine =
                Line({QString(), QString(), QString(), Utf8(DivisionTitleUtf8(division)),
                      QStringLiteral("Platz ") + Utf8(std::string(SlotFieldName(entry.Slot))),
                      Utf8(TeamLabelUtf8(division, entry.Slot)), QString()});
            Mark(entryLine, DivisionRole, entry.Division);
            line.front()->appendRow(entryLine);
        }
    } else {
        QStringList divisions, days, homes, aways;
        for (const TSeasonGame& game : clash.Games) {
            const TDivisionValues& division = season.Division(game.Division);
            divisions.append(Utf8(DivisionTitleUtf8(division)));
            days.append(Utf8(std::string(SpieltagKeyName(game.Day))));
            homes.append(Utf8(TeamLabelUtf8(division, game.Home)));
            aways.append(Utf8(TeamLabelUtf8(division, game.Away)));
        }
        // A holiday finding holds the games of both game times.
        const QString time =
            clash.Kind == ckHoliday ? QString() : Utf8(std::string(GameClock(clash.Game)));
        line =
            Line({club, kind, time, Joined(divisions), Joined(days), Joined(homes), Joined(aways)});
        for (const TSeasonGame& game : clash.Games) {
            const TDivisionValues& division = season.Division(game.Division);
            auto gameLine = Line({QString(), QString(), Utf8(std::string(GameClock(game.Game))),
                                  Utf8(DivisionTitleUtf8(division)),
                                  Utf8(std::string(SpieltagKeyName(game.Day))),
                                  Utf8(TeamLabelUtf8(division, game.Home)),
                                  Utf8(TeamLabelUtf8(division, game.Away))});
            Mark(gameLine, DivisionRole, game.Division);
            Mark(gameLine, ClubRole, clash.Club);
            line.front()->appendRow(gameLine);
        }
    }
    Mark(line, ClubRole, clash.Club);
    const QString text = Utf8(ClashTextUtf8(season, clash));
    for (QStandardItem* item : line)
        item->setToolTip(text);
    return line;
}

} // namespace

QString DateWithWeekday(TDaySerial day, const TRegionalSettings& settings) {
    // Serial 0, 30.12.1899, was a Saturday.
    static const char* const names[7] = {"Sa", "So", "Mo", "Di", "Mi", "Do", "Fr"};
    return QString::fromLatin1(names[((day % 7) + 7) % 7]) + QLatin1Char(' ') +
           Utf8(settings.FormatDate(day));
}

void FillClashModel(QStandardItemModel& model, const TSeason& season) {
    FillClashModel(model, season, season.Clashes());
}

void FillClashModel(QStandardItemModel& model, const TSeason& season,
                    const std::vector<TClash>& clashes) {
    model.clear();
    model.setColumnCount(ccCount);
    model.setHorizontalHeaderLabels({QStringLiteral("Termin / Verein"), QStringLiteral("Art"),
                                     QStringLiteral("Uhrzeit"), QStringLiteral("Staffel"),
                                     QStringLiteral("Spieltag"), QStringLiteral("Heim"),
                                     QStringLiteral("Gast")});
    const TRegionalSettings& settings = season.Clubs().Settings();
    QStandardItem* group = nullptr;
    std::optional<TDaySerial> groupDate;
    bool doubleGroup = false;
    auto openGroup = [&](const QString& title) {
        QList<QStandardItem*> line =
            Line({title, QString(), QString(), QString(), QString(), QString(), QString()});
        QFont bold = line.front()->font();
        bold.setBold(true);
        line.front()->setFont(bold);
        model.appendRow(line);
        group = line.front();
    };
    for (const TClash& clash : clashes) {
        if (clash.Kind == ckDouble) {
            if (!doubleGroup)
                openGroup(QStringLiteral("Doppelt eingetragene Mannschaften"));
            doubleGroup = true;
        } else if (groupDate != clash.Date) {
            openGroup(DateWithWeekday(clash.Date, settings));
            groupDate = clash.Date;
        }
        group->appendRow(ClashLine(season, clash));
    }
    // How many clashes each group holds.
    for (int r = 0; r < model.rowCount(); ++r) {
        QStandardItem* item = model.item(r, ccKind);
        const int count = model.item(r)->rowCount();
        item->setText(count == 1 ? QStringLiteral("1 Konflikt")
                                 : QStringLiteral("%1 Konflikte").arg(count));
    }
}

void THomeGamesModel::SetSeason(const TSeason* season) {
    beginResetModel();
    season_ = season;
    clubs_.clear();
    dates_.clear();
    counts_.clear();
    if (season_) {
        const std::vector<THomeGamesOnDate> homes = season_->HomeGamesPerDate();
        for (const THomeGamesOnDate& home : homes)
            dates_.push_back(home.Date);
        std::sort(dates_.begin(), dates_.end());
        dates_.erase(std::unique(dates_.begin(), dates_.end()), dates_.end());
        std::unordered_map<TClubId, int> rowOf;
        for (const THomeGamesOnDate& home : homes)
            if (rowOf.emplace(home.Club, static_cast<int>(clubs_.size())).second)
                clubs_.push_back(home.Club);
        counts_.assign(clubs_.size() * dates_.size(), 0);
        for (const THomeGamesOnDate& home : homes) {
            const auto column =
                std::lower_bound(dates_.begin(), dates_.end(), home.Date) - dates_.begin();
            counts_[rowOf[home.Club] * dates_.size() + column] = home.HomeGames;
        }
    }
    endResetModel();
}

TClubId THomeGamesModel::ClubAt(int row) const {
    return row >= 0 && row < static_cast<int>(clubs_.size()) ? clubs_[row] : NoClub;
}

int THomeGamesModel::RowOfClub(TClubId club) const {
    const auto found = std::find(clubs_.begin(), clubs_.end(), club);
    return found == clubs_.end() ? -1 : static_cast<int>(found - clubs_.begin());
}

int THomeGamesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(clubs_.size());
}

int THomeGamesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !season_ ? 0 : 1 + static_cast<int>(dates_.size());
}

bool THomeGamesModel::OverCapacity(TClubId club, TDaySerial date) const {
    const int capacity = season_->Clubs().Capacity(club);
    return season_->HomeGames(club, date, 1) > capacity ||
           season_->HomeGames(club, date, 2) > capacity;
}

QVariant THomeGamesModel::data(const QModelIndex& index, int role) const {
    if (!season_ || !index.isValid())
        return {};
    const TClubId club = clubs_[index.row()];
    if (index.column() == 0)
        return role == Qt::DisplayRole ? ToQString(season_->Clubs().Club(club).Name) : QVariant();
    const TDaySerial date = dates_[index.column() - 1];
    const int count = counts_[index.row() * dates_.size() + index.column() - 1];
    switch (role) {
    case Qt::DisplayRole:
        return count == 0 ? QVariant() : QVariant(count);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignCenter);
    case Qt::BackgroundRole:
        if (count > 0 && (OverCapacity(club, date) || season_->Clubs().IsBlocked(club, date)))
            return QBrush(ClashColour);
        return {};
    case Qt::ToolTipRole:
        if (count == 0)
            return {};
        return QStringLiteral("15 Uhr: %1, 19 Uhr: %2 (Kapazität %3)%4")
            .arg(season_->HomeGames(club, date, 1))
            .arg(season_->HomeGames(club, date, 2))
            .arg(season_->Clubs().Capacity(club))
            .arg(season_->Clubs().IsBlocked(club, date) ? QStringLiteral(", Halle gesperrt")
                                                        : QString());
    default:
        return {};
    }
}

QVariant THomeGamesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || !season_)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == 0)
        return QStringLiteral("Verein");
    return DateWithWeekday(dates_[section - 1], season_->Clubs().Settings());
}

void FillTieListModel(QStandardItemModel& model, const TSeason& season,
                      const std::vector<TGameRef>& ties) {
    model.clear();
    model.setHorizontalHeaderLabels({QStringLiteral("Datum"), QStringLiteral("Uhrzeit"),
                                     QStringLiteral("Staffel"), QStringLiteral("Spt."),
                                     QStringLiteral("Heim"), QStringLiteral("Gast"),
                                     QStringLiteral("Stand"), QStringLiteral("Bemerkung")});
    const TRegionalSettings& settings = season.Clubs().Settings();
    for (const TGameRef ref : ties) {
        const TSeasonGame& game = season.Game(ref);
        const TDivisionValues& division = season.Division(game.Division);
        const TTieRecord* record = season.Tie(game);
        auto line = Line({game.Date ? DateWithWeekday(*game.Date, settings) : QString(),
                          ToQString(FormatClock(game.Clock)), Utf8(DivisionTitleUtf8(division)),
                          Utf8(std::string(SpieltagKeyName(game.Day))),
                          Utf8(TeamLabelUtf8(division, game.Home)),
                          Utf8(TeamLabelUtf8(division, game.Away)),
                          record ? ToQString(TieResultText(*record)) : QString(),
                          record ? ToQString(record->Bemerkung) : QString()});
        Mark(line, DivisionRole, game.Division);
        model.appendRow(line);
    }
}
