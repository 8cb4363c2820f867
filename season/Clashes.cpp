#include "season/Clashes.h"

#include "season/TieTable.h"

#include <algorithm>
#include <iterator>
#include <map>

namespace {

std::string ClassKey(std::int32_t jahr, std::string_view klasse) {
    return std::to_string(jahr) + '\n' + FoldClubName(klasse);
}

std::string ClassKey(const TDivisionValues& division) {
    return division.Jahr ? ClassKey(*division.Jahr, division.Klasse) : std::string();
}

// Moves the records of that class out of from into to.
void TakeRecordsOfClass(std::vector<TTieRecord>& from, std::vector<TTieRecord>& to,
                        const std::string& key) {
    if (key.empty())
        return;
    const auto rest = std::stable_partition(from.begin(), from.end(), [&key](const TTieRecord& r) {
        return ClassKey(r.Jahr, r.Klasse) != key;
    });
    std::move(rest, from.end(), std::back_inserter(to));
    from.erase(rest, from.end());
}

void PutInto(std::vector<TTieRecord>& records, TTieRecord record) {
    const auto found = std::find_if(records.begin(), records.end(),
                                    [&](const TTieRecord& r) { return SameTieKey(r, record); });
    if (found == records.end())
        records.push_back(std::move(record));
    else
        *found = std::move(record);
}

bool EraseFrom(std::vector<TTieRecord>& records, const TTieRecord& key) {
    return std::erase_if(records, [&](const TTieRecord& r) { return SameTieKey(r, key); }) > 0;
}

} // namespace

TSeason::TSeason(std::vector<TDivisionValues> divisions, TClubDirectory clubs)
    : TSeason(std::move(divisions), std::move(clubs), {}) {}

TSeason::TSeason(std::vector<TDivisionValues> divisions, TClubDirectory clubs,
                 std::vector<TTieRecord> ties)
    : clubs_(std::move(clubs)) {
    divisions_.resize(divisions.size());
    occasions_.reserve(divisions.size() * 48);
    for (std::size_t i = 0; i < divisions.size(); ++i)
        divisions_[i].Values = std::move(divisions[i]);
    IndexClasses();
    for (TTieRecord& record : ties) {
        const auto found = byClass_.find(ClassKey(record.Jahr, record.Klasse));
        if (found == byClass_.end())
            orphans_.push_back(std::move(record));
        else
            divisions_[found->second].Ties.push_back(std::move(record));
    }
    for (std::size_t i = 0; i < divisions_.size(); ++i)
        Add(static_cast<int>(i));
}

void TSeason::IndexClasses() {
    byClass_.clear();
    for (int d = 0; d < DivisionCount(); ++d) {
        std::string key = ClassKey(divisions_[d].Values);
        if (!key.empty())
            byClass_.emplace(std::move(key), d);
    }
}

void TSeason::ReplaceDivision(int index, TDivisionValues division) {
    Remove(index);
    TDivisionPart& part = divisions_[index];
    const std::string before = ClassKey(part.Values), after = ClassKey(division);
    part.Values = std::move(division);
    if (before != after) {
        for (TTieRecord& record : part.Ties)
            orphans_.push_back(std::move(record));
        part.Ties.clear();
        IndexClasses();
        const auto found = byClass_.find(after);
        if (found != byClass_.end() && found->second == index)
            TakeRecordsOfClass(orphans_, part.Ties, after);
    }
    Add(index);
}

int TSeason::FindDivision(std::int32_t jahr, std::string_view klasse) const {
    const auto found = byClass_.find(ClassKey(jahr, klasse));
    return found == byClass_.end() ? -1 : found->second;
}

void TSeason::PutTie(TTieRecord record) {
    const int index = FindDivision(record.Jahr, record.Klasse);
    if (index < 0) {
        PutInto(orphans_, std::move(record));
        return;
    }
    Remove(index);
    PutInto(divisions_[index].Ties, std::move(record));
    Add(index);
}

void TSeason::RemoveTie(const TTieRecord& key) {
    const int index = FindDivision(key.Jahr, key.Klasse);
    if (index < 0) {
        EraseFrom(orphans_, key);
        return;
    }
    Remove(index);
    EraseFrom(divisions_[index].Ties, key);
    Add(index);
}

void TSeason::ReplaceTies(int division, std::vector<TTieRecord> records) {
    Remove(division);
    divisions_[division].Ties = std::move(records);
    Add(division);
}

std::vector<TTieRecord> TSeason::OrphanTies() const {
    std::vector<TTieRecord> result = orphans_;
    for (const TDivisionPart& part : divisions_)
        for (int t : part.Unattached)
            result.push_back(part.Ties[t]);
    return result;
}

// Each record finds its game by the slots its teams stand in; a team's own
// record needs only its slot.
void TSeason::AttachTies(TDivisionPart& part) {
    part.Unattached.clear();
    if (part.Ties.empty())
        return;
    std::array<std::string, SlotCount> folded;
    for (int s = 0; s < SlotCount; ++s)
        if (!IsBye(part.Values.Teams[s]))
            folded[s] = FoldClubName(part.Values.Teams[s]);
    const auto slotOf = [&folded](std::string_view team) {
        const std::string name = FoldClubName(team);
        for (int s = 0; s < SlotCount; ++s)
            if (!name.empty() && folded[s] == name)
                return s;
        return -1;
    };
    for (int t = 0; t < static_cast<int>(part.Ties.size()); ++t) {
        const TTieRecord& record = part.Ties[t];
        const int home = slotOf(record.Heim);
        if (IsTeamState(record.Status)) {
            if (home < 0)
                part.Unattached.push_back(t);
            continue;
        }
        const int away = slotOf(record.Gast);
        const auto game =
            std::find_if(part.Games.begin(), part.Games.end(), [&](const TSeasonGame& g) {
                return Slot(g.Home) == home && Slot(g.Away) == away;
            });
        if (home < 0 || away < 0 || game == part.Games.end() || game->Tie >= 0) {
            part.Unattached.push_back(t);
            continue;
        }
        game->Tie = t;
        game->State = record.Status;
        if (record.Datum && *record.Datum != game->Date) {
            game->Date = record.Datum;
            game->Moved = true;
        }
        if (const auto clock = ParseClock(record.Uhrzeit); clock && *clock != game->Clock) {
            game->Clock = *clock;
            game->HallGame = HallGameOfClock(*clock);
            game->Moved = true;
        }
    }
}

int TSeason::Excess(TClubId club, int homeGames) const {
    return std::max(0, homeGames - clubs_.Capacity(club));
}

void TSeason::Add(int index) {
    TDivisionPart& part = divisions_[index];
    for (int s = 0; s < SlotCount; ++s)
        part.Clubs[s] =
            IsBye(part.Values.Teams[s]) ? NoClub : clubs_.ClubOfTeam(part.Values.Teams[s]);
    part.Games = GamesOfDivision(part.Values, index);
    AttachTies(part);
    part.BlockedGames.clear();
    part.Unscheduled = 0;
    for (int g = 0; g < static_cast<int>(part.Games.size()); ++g) {
        const TSeasonGame& game = part.Games[g];
        if (game.Cancelled())
            continue;
        if (!game.Date) {
            ++part.Unscheduled;
            continue;
        }
        const TClubId club = part.Clubs[Slot(game.Home)];
        if (club == NoClub)
            continue;
        TOccasion& occasion = occasions_[OccasionKey(club, *game.Date, game.HallGame)];
        if (occasion.Games.empty()) {
            occasion.Club = club;
            occasion.Date = *game.Date;
            occasion.Game = game.HallGame;
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
        if (IsByeSlot(part.Values, slot))
            continue;
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
        if (!game.Date || club == NoClub || game.Cancelled())
            continue;
        const auto found = occasions_.find(OccasionKey(club, *game.Date, game.HallGame));
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
        TClash clash{ckHall, occasion.Club, occasion.Date, occasion.Game, {}, {}, {}};
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
                             game.HallGame,
                             {game},
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
