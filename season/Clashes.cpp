#include "season/Clashes.h"

#include <algorithm>
#include <map>

TSeason::TSeason(std::vector<TDivisionValues> divisions, TClubDirectory clubs)
    : clubs_(std::move(clubs)) {
    divisions_.resize(divisions.size());
    occasions_.reserve(divisions.size() * 48);
    for (std::size_t i = 0; i < divisions.size(); ++i) {
        divisions_[i].Values = std::move(divisions[i]);
        Add(static_cast<int>(i));
    }
}

void TSeason::ReplaceDivision(int index, TDivisionValues division) {
    Remove(index);
    divisions_[index].Values = std::move(division);
    Add(index);
}

int TSeason::Excess(TClubId club, int homeGames) const {
    return std::max(0, homeGames - clubs_.Capacity(club));
}

void TSeason::Add(int index) {
    TDivisionPart& part = divisions_[index];
    for (int s = 0; s < SlotCount; ++s)
        part.Clubs[s] = clubs_.ClubOfTeam(part.Values.Teams[s]);
    part.Games = GamesOfDivision(part.Values, index);
    part.BlockedGames.clear();
    part.Unscheduled = 0;
    for (int g = 0; g < static_cast<int>(part.Games.size()); ++g) {
        const TSeasonGame& game = part.Games[g];
        if (!game.Date) {
            ++part.Unscheduled;
            continue;
        }
        const TClubId club = part.Clubs[Slot(game.Home)];
        if (club == NoClub)
            continue;
        TOccasion& occasion = occasions_[OccasionKey(club, *game.Date, game.Game)];
        if (occasion.Games.empty()) {
            occasion.Club = club;
            occasion.Date = *game.Date;
            occasion.Game = game.Game;
        }
        const int before = static_cast<int>(occasion.Games.size());
        occasion.Games.push_back({index, g});
        hallExcess_ += Excess(club, before + 1) - Excess(club, before);
        if (clubs_.IsBlocked(club, *game.Date))
            part.BlockedGames.push_back(g);
    }
    blockedGames_ += static_cast<int>(part.BlockedGames.size());
    unscheduled_ += part.Unscheduled;

    part.Teams.clear();
    for (TSlotName slot : SlotsUsedBy(LayoutOf(part.Values))) {
        std::string team = FoldClubName(part.Values.Team(slot));
        if (team.empty() ||
            std::find(part.Teams.begin(), part.Teams.end(), team) != part.Teams.end())
            continue;
        teams_[team].push_back({index, slot});
        part.Teams.push_back(std::move(team));
    }
}

void TSeason::Remove(int index) {
    TDivisionPart& part = divisions_[index];
    for (const TSeasonGame& game : part.Games) {
        const TClubId club = part.Clubs[Slot(game.Home)];
        if (!game.Date || club == NoClub)
            continue;
        const auto found = occasions_.find(OccasionKey(club, *game.Date, game.Game));
        auto& games = found->second.Games;
        const int before = static_cast<int>(games.size());
        games.erase(std::find_if(games.begin(), games.end(),
                                 [index](const TGameRef& ref) { return ref.Division == index; }));
        hallExcess_ += Excess(club, before - 1) - Excess(club, before);
        if (games.empty())
            occasions_.erase(found);
    }
    blockedGames_ -= static_cast<int>(part.BlockedGames.size());
    unscheduled_ -= part.Unscheduled;
    for (const std::string& team : part.Teams) {
        const auto found = teams_.find(team);
        auto& entries = found->second;
        std::erase_if(entries,
                      [index](const TTeamEntry& entry) { return entry.Division == index; });
        if (entries.empty())
            teams_.erase(found);
    }
    part.Games.clear();
    part.BlockedGames.clear();
    part.Teams.clear();
    part.Unscheduled = 0;
}

std::vector<TClash> TSeason::Clashes() const {
    std::vector<TClash> dated;
    for (const auto& [key, occasion] : occasions_) {
        if (static_cast<int>(occasion.Games.size()) <= clubs_.Capacity(occasion.Club))
            continue;
        TClash clash{ckHall, occasion.Club, occasion.Date, occasion.Game, {}, {}, {}, {}};
        for (const TGameRef& ref : occasion.Games)
            clash.Games.push_back(Game(ref));
        dated.push_back(std::move(clash));
    }
    for (const TDivisionPart& part : divisions_)
        for (int g : part.BlockedGames) {
            const TSeasonGame& game = part.Games[g];
            dated.push_back({ckBlocked,
                             part.Clubs[Slot(game.Home)],
                             *game.Date,
                             game.Game,
                             {game},
                             {},
                             {},
                             {}});
        }
    // Blocked games of one club at one date and time make one clash.
    std::map<TOccasionKey, std::size_t> blockedAt;
    std::vector<TClash> merged;
    for (TClash& clash : dated) {
        if (clash.Kind == ckBlocked) {
            const auto [at, fresh] =
                blockedAt.emplace(OccasionKey(clash.Club, clash.Date, clash.Game), merged.size());
            if (!fresh) {
                merged[at->second].Games.push_back(std::move(clash.Games.front()));
                continue;
            }
        }
        merged.push_back(std::move(clash));
    }
    for (TClash& clash : merged)
        std::sort(clash.Games.begin(), clash.Games.end(), GameTimeOrderLess);
    const TRegionalSettings& settings = clubs_.Settings();
    std::sort(merged.begin(), merged.end(), [&](const TClash& a, const TClash& b) {
        if (a.Date != b.Date)
            return a.Date < b.Date;
        if (a.Game != b.Game)
            return a.Game < b.Game;
        if (a.Kind != b.Kind)
            return a.Kind < b.Kind;
        const int byName = settings.Compare(clubs_.Club(a.Club).Name, clubs_.Club(b.Club).Name);
        return byName != 0 ? byName < 0 : a.Club < b.Club;
    });

    std::vector<TClash> doubles;
    for (const auto& [folded, entries] : teams_) {
        if (entries.size() < 2)
            continue;
        TClash clash;
        clash.Kind = ckDouble;
        clash.Entries = entries;
        std::sort(clash.Entries.begin(), clash.Entries.end(),
                  [](const TTeamEntry& a, const TTeamEntry& b) { return a.Division < b.Division; });
        const TTeamEntry& first = clash.Entries.front();
        clash.Team = TrimmedTeam(Division(first.Division).Team(first.Slot));
        clash.Club = SlotClubs(first.Division)[Slot(first.Slot)];
        doubles.push_back(std::move(clash));
    }
    std::sort(doubles.begin(), doubles.end(), [&](const TClash& a, const TClash& b) {
        const int byName = settings.Compare(a.Team, b.Team);
        return byName != 0 ? byName < 0 : a.Entries.front().Division < b.Entries.front().Division;
    });
    merged.insert(merged.end(), std::make_move_iterator(doubles.begin()),
                  std::make_move_iterator(doubles.end()));
    return merged;
}

std::vector<THomeGamesOnDate> TSeason::HomeGamesPerDate() const {
    std::map<std::pair<TClubId, TDaySerial>, int> counts;
    for (const auto& [key, occasion] : occasions_)
        counts[{occasion.Club, occasion.Date}] += static_cast<int>(occasion.Games.size());
    std::vector<int> rank(clubs_.ClubCount());
    const std::vector<TClubId> byName = clubs_.ClubsByName();
    for (int i = 0; i < static_cast<int>(byName.size()); ++i)
        rank[byName[i]] = i;
    std::vector<THomeGamesOnDate> result;
    result.reserve(counts.size());
    for (const auto& [at, games] : counts)
        result.push_back({at.first, at.second, games});
    std::sort(
        result.begin(), result.end(), [&](const THomeGamesOnDate& a, const THomeGamesOnDate& b) {
            return rank[a.Club] != rank[b.Club] ? rank[a.Club] < rank[b.Club] : a.Date < b.Date;
        });
    return result;
}

const std::vector<TGameRef>* TSeason::HomeGameRefs(TClubId club, TDaySerial date, int game) const {
    const auto found = occasions_.find(OccasionKey(club, date, game));
    return found == occasions_.end() ? nullptr : &found->second.Games;
}

int TSeason::HomeGames(TClubId club, TDaySerial date, int game) const {
    const auto* refs = HomeGameRefs(club, date, game);
    return refs ? static_cast<int>(refs->size()) : 0;
}

int TSeason::HomeGamesIn(int division, TClubId club, TDaySerial date, int game) const {
    const auto* refs = HomeGameRefs(club, date, game);
    if (!refs)
        return 0;
    return static_cast<int>(
        std::count_if(refs->begin(), refs->end(),
                      [division](const TGameRef& ref) { return ref.Division == division; }));
}

std::vector<std::int32_t> SeasonYears(const std::vector<TDivisionValues>& divisions) {
    std::vector<std::int32_t> years;
    for (const TDivisionValues& division : divisions)
        if (division.Jahr)
            years.push_back(*division.Jahr);
    std::sort(years.begin(), years.end());
    years.erase(std::unique(years.begin(), years.end()), years.end());
    return years;
}

std::vector<TDivisionValues> DivisionsOfYear(const std::vector<TDivisionValues>& divisions,
                                             std::int32_t year) {
    std::vector<TDivisionValues> result;
    for (const TDivisionValues& division : divisions)
        if (division.Jahr == year)
            result.push_back(division);
    return result;
}
