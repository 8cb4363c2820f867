#include "SeasonGenerator.h"

#include "data/Records.h"
#include "data/StaffelError.h"

#include <algorithm>
#include <array>
#include <random>
#include <set>

namespace {

// Divisions of one group play on the same days; the groups' days differ, so
// a club whose teams stand in different groups never has two home games at
// once.
constexpr int Groups = 14;

const std::array<std::string_view, 8> Prefixes = {"TV", "SV",  "BC", "TSV",
                                                  "SG", "VfL", "BV", "TuS"};
const std::array<std::string_view, 10> PlaceStarts = {"Alt",   "Neu",  "Ober", "Unter", "Gross",
                                                      "Klein", "Nord", "Sued", "West",  "Ost"};
const std::array<std::string_view, 10> PlaceEnds = {"dorf", "hausen", "heim", "feld", "berg",
                                                    "bach", "stedt",  "burg", "rode", "wald"};
const std::array<std::string_view, 14> Roman = {"I",    "II", "III", "IV", "V",   "VI",   "VII",
                                                "VIII", "IX", "X",   "XI", "XII", "XIII", "XIV"};

std::string ClubName(int i) {
    const int place = i / static_cast<int>(Prefixes.size());
    return std::string(Prefixes[i % Prefixes.size()]) + " " +
           std::string(PlaceStarts[place / PlaceEnds.size() % PlaceStarts.size()]) +
           std::string(PlaceEnds[place % PlaceEnds.size()]);
}

// Team n (0-based) of a club with count teams.
std::string TeamName(int club, int n, int count) {
    const std::string name = ClubName(club);
    if (count == 1)
        return name;
    if (n == 0 && club % 3 == 0)
        return name; // the first team often goes without a number
    return name + " " + (club % 2 == 0 ? std::string(Roman[n]) : std::to_string(n + 1));
}

struct TPosition {
    int Division;
    TSlotName Slot;
};

class TGenerator {
public:
    TGenerator(const TSeasonSpec& spec) : spec_(spec), random_(spec.Seed) {}

    TGeneratedSeason Run() {
        if (spec_.Clubs > static_cast<int>(Prefixes.size() * PlaceStarts.size() * PlaceEnds.size()))
            throw TStaffelError("Zu viele Vereine f\xC3\xBCr den Generator.");
        MakeDivisions();
        PlaceTeams();
        for (int i = 0; i < spec_.HallClashes; ++i)
            PlantHall();
        for (int i = 0; i < spec_.DoubleEntries; ++i)
            PlantDouble();
        for (int i = 0; i < spec_.BlockedClashes; ++i)
            PlantBlocked();
        AddFreeBlockedDates();
        return std::move(result_);
    }

private:
    int Group(int division) const { return division % Groups; }
    TDivisionValues& Division(int d) { return result_.Divisions[d]; }

    void MakeDivisions() {
        const TDaySerial first = *DayFromCivil(spec_.Year, 9, 5);
        for (int d = 0; d < spec_.Divisions; ++d) {
            TDivisionValues division;
            division.Klasse = "Staffel " + std::to_string(d + 1);
            division.Jahr = spec_.Year;
            division.TenTeams = d >= spec_.Divisions / 2;
            int k = 0;
            for (TSpieltagKey key : MatchDaysUsedBy(LayoutOf(division)))
                division.Dates[static_cast<int>(key)] = first + 14 * k++ + Group(d);
            result_.Divisions.push_back(std::move(division));
        }
        owner_.assign(spec_.Divisions, {});
        for (auto& slots : owner_)
            slots.fill(-1);
    }

    void PlaceTeams() {
        std::array<std::vector<TPosition>, Groups> free;
        int teams = 0;
        for (int d = 0; d < spec_.Divisions; ++d)
            for (TSlotName slot : SlotsUsedBy(LayoutOf(Division(d)))) {
                free[Group(d)].push_back({d, slot});
                ++teams;
            }
        for (auto& positions : free)
            std::shuffle(positions.begin(), positions.end(), random_);
        // Every club one team, the others to clubs at random, at most one a group.
        std::vector<int> counts(spec_.Clubs, 1);
        for (int left = teams - spec_.Clubs; left > 0;) {
            const int club = Pick(spec_.Clubs);
            if (counts[club] < Groups) {
                ++counts[club];
                --left;
            }
        }
        std::vector<int> order(spec_.Clubs);
        for (int c = 0; c < spec_.Clubs; ++c)
            order[c] = c;
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return counts[a] > counts[b]; });
        clubGroups_.assign(spec_.Clubs, {});
        for (int club : order)
            for (int n = 0; n < counts[club]; ++n) {
                int best = -1;
                for (int g = 0; g < Groups; ++g)
                    if (!clubGroups_[club].contains(g) && !free[g].empty() &&
                        (best < 0 || free[g].size() > free[best].size()))
                        best = g;
                if (best < 0)
                    throw TStaffelError("Der Generator findet keinen Platz.");
                const TPosition at = free[best].back();
                free[best].pop_back();
                clubGroups_[club].insert(best);
                Put(at, club, TeamName(club, n, counts[club]));
            }
        result_.Clubs.resize(spec_.Clubs);
        for (int c = 0; c < spec_.Clubs; ++c)
            result_.Clubs[c].Name = ClubName(c);
    }

    void Put(TPosition at, int club, std::string team) {
        Division(at.Division).Teams[static_cast<int>(at.Slot)] = std::move(team);
        owner_[at.Division][static_cast<int>(at.Slot)] = club;
    }

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    // A club and division no planting has used yet, and the position of one
    // of the club's teams there, that accept takes.
    template <typename Accept> std::pair<int, TPosition> FreshTeam(Accept accept) {
        for (int attempt = 0; attempt < 100000; ++attempt) {
            const int d = Pick(spec_.Divisions);
            const auto slots = SlotsUsedBy(LayoutOf(Division(d)));
            const TSlotName slot = slots[Pick(static_cast<int>(slots.size()))];
            const int club = owner_[d][static_cast<int>(slot)];
            if (club >= 0 && !usedDivisions_.contains(d) && !usedClubs_.contains(club) &&
                accept(club, d)) {
                usedDivisions_.insert(d);
                usedClubs_.insert(club);
                return {club, {d, slot}};
            }
        }
        throw TStaffelError("Der Generator findet keine freie Mannschaft.");
    }

    // The unused divisions that satisfy accept.
    template <typename Accept> std::vector<int> FreshDivisions(Accept accept) {
        std::vector<int> divisions;
        for (int d = 0; d < spec_.Divisions; ++d)
            if (!usedDivisions_.contains(d) && accept(d))
                divisions.push_back(d);
        return divisions;
    }

    int TakeOne(const std::vector<int>& divisions) {
        const int d = divisions[Pick(static_cast<int>(divisions.size()))];
        usedDivisions_.insert(d);
        return d;
    }

    bool InGroup(int d, int group) const { return Group(d) == group; }
    bool ClubPlaysInGroup(int club, int d) const { return clubGroups_[club].contains(Group(d)); }

    // (date, game) of the slot's dated home games.
    std::vector<std::pair<TDaySerial, int>> HomeOccasions(int d, TSlotName slot) {
        std::vector<std::pair<TDaySerial, int>> occasions;
        for (const TGame& game : GamesOf(LayoutOf(Division(d))))
            if (game.Home == slot)
                if (const auto date = Division(d).Date(game.Day))
                    occasions.push_back({*date, game.Game});
        return occasions;
    }

    // A second team of a club on the same days as its first one: a hall
    // clash wherever both are at home at once.
    void PlantHall() {
        const auto [club, first] = FreshTeam([&](int, int a) {
            return !FreshDivisions([&](int d) { return d != a && InGroup(d, Group(a)); }).empty();
        });
        const int a = first.Division;
        const int d =
            TakeOne(FreshDivisions([&](int d) { return d != a && InGroup(d, Group(a)); }));
        const auto mine = HomeOccasions(first.Division, first.Slot);
        std::vector<TSlotName> slots = SlotsUsedBy(LayoutOf(Division(d)));
        std::shuffle(slots.begin(), slots.end(), random_);
        for (TSlotName slot : slots) {
            std::vector<std::pair<TDaySerial, int>> shared;
            for (const auto& occasion : HomeOccasions(d, slot))
                if (std::find(mine.begin(), mine.end(), occasion) != mine.end())
                    shared.push_back(occasion);
            if (shared.empty())
                continue;
            Put({d, slot}, club, ClubName(club) + " XX");
            for (const auto& [date, game] : shared)
                result_.Planted.push_back({ckHall,
                                           ClubName(club),
                                           date,
                                           game,
                                           {{first.Division, first.Slot}, {d, slot}},
                                           {},
                                           {}});
            return;
        }
        throw TStaffelError("Der Generator findet keine gleichzeitigen Heimspiele.");
    }

    // The same team once more in a division of days its club does not play on.
    void PlantDouble() {
        const auto free = [this](int club) {
            return FreshDivisions([&](int d) { return !ClubPlaysInGroup(club, d); });
        };
        const auto [club, first] = FreshTeam([&](int club, int) { return !free(club).empty(); });
        const int d = TakeOne(free(club));
        clubGroups_[club].insert(Group(d));
        const auto slots = SlotsUsedBy(LayoutOf(Division(d)));
        const std::string team = Division(first.Division).Team(first.Slot);
        Put({d, slots[Pick(static_cast<int>(slots.size()))]}, club, team);
        result_.Planted.push_back({ckDouble, {}, 0, 1, {}, team, {first.Division, d}});
    }

    // A date of one of the club's home games blocked.
    void PlantBlocked() {
        const auto [club, at] = FreshTeam([](int, int) { return true; });
        const auto occasions = HomeOccasions(at.Division, at.Slot);
        const TDaySerial date = occasions[Pick(static_cast<int>(occasions.size()))].first;
        result_.Clubs[club].Blocked.push_back(date);
        for (const auto& [day, game] : occasions)
            if (day == date)
                result_.Planted.push_back(
                    {ckBlocked, ClubName(club), date, game, {{at.Division, at.Slot}}, {}, {}});
    }

    // Every third club also has two blocked dates on which it is not at home.
    void AddFreeBlockedDates() {
        std::vector<std::set<TDaySerial>> homeDates(spec_.Clubs);
        std::set<TDaySerial> allDates;
        for (int d = 0; d < spec_.Divisions; ++d)
            for (TSlotName slot : SlotsUsedBy(LayoutOf(Division(d))))
                for (const auto& [date, game] : HomeOccasions(d, slot)) {
                    allDates.insert(date);
                    if (const int club = owner_[d][static_cast<int>(slot)]; club >= 0)
                        homeDates[club].insert(date);
                }
        const std::vector<TDaySerial> dates(allDates.begin(), allDates.end());
        for (int c = 0; c < spec_.Clubs; c += 3)
            for (int added = 0, attempt = 0; added < 2 && attempt < 1000; ++attempt) {
                const TDaySerial date = dates[Pick(static_cast<int>(dates.size()))];
                auto& blocked = result_.Clubs[c].Blocked;
                if (!homeDates[c].contains(date) &&
                    std::find(blocked.begin(), blocked.end(), date) == blocked.end()) {
                    blocked.push_back(date);
                    ++added;
                }
            }
    }

    TSeasonSpec spec_;
    std::mt19937 random_;
    TGeneratedSeason result_;
    std::vector<std::array<int, SlotCount>> owner_; // club index per division and slot
    std::vector<std::set<int>> clubGroups_;
    std::set<int> usedDivisions_;
    std::set<int> usedClubs_;
};

} // namespace

TGeneratedSeason GenerateSeason(const TSeasonSpec& spec) {
    return TGenerator(spec).Run();
}

void AppendDivision(TRecordTable& table, const TDivisionValues& division) {
    table.Append();
    table.Field("Klasse").SetAsText(division.Klasse);
    if (division.Jahr)
        table.Field("Jahr").SetAsInteger(*division.Jahr);
    table.Field("10Klasse").SetAsBoolean(division.TenTeams);
    for (int s = 0; s < SlotCount; ++s)
        table.Field(SlotFieldName(static_cast<TSlotName>(s))).SetAsText(division.Teams[s]);
    for (int d = 0; d < SpieltagCount; ++d)
        if (division.Dates[d])
            table.Field(SpieltagDateFieldName(static_cast<TSpieltagKey>(d)))
                .SetAsDateTime(*division.Dates[d]);
    table.Post();
}

void FillDivisionTable(TRecordTable& table, const std::vector<TDivisionValues>& divisions) {
    DefineFields(table, StaffelRecordFields());
    table.CreateEmpty();
    for (const TDivisionValues& division : divisions)
        AppendDivision(table, division);
}

void FillClubTable(TRecordTable& table, const std::vector<TClubValues>& clubs) {
    DefineFields(table, VereineRecordFields());
    table.CreateEmpty();
    const TRegionalSettings german = TRegionalSettings::German();
    for (const TClubValues& club : clubs) {
        table.Append();
        table.Field("Verein").SetAsText(club.Name);
        table.Field("Kapazitaet").SetAsInteger(club.Capacity);
        std::string blocked;
        for (TDaySerial day : club.Blocked)
            blocked += (blocked.empty() ? "" : "; ") + german.FormatDate(day);
        table.Field("Sperrtermine").SetAsText(blocked);
        table.Post();
    }
}

std::vector<TTieRecord> PlayedTies(const TGeneratedSeason& season, int movedEvery, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<TTieRecord> ties;
    int count = 0;
    for (const TDivisionValues& division : season.Divisions)
        for (const TSeasonGame& game : GamesOfDivision(division, 0)) {
            TTieRecord tie;
            tie.Jahr = division.Jahr.value_or(0);
            tie.Klasse = division.Klasse;
            tie.Spieltag = std::string(SpieltagKeyName(game.Day));
            tie.Heim = game.HomeTeam;
            tie.Gast = game.AwayTeam;
            tie.Status = TTieState::Gespielt;
            const int home = static_cast<int>(random() % 9), away = 8 - home;
            const int homeGames = 2 * home + static_cast<int>(random() % (away + 1));
            const int awayGames = 2 * away + static_cast<int>(random() % (home + 1));
            tie.Result = {{home, away},
                          {homeGames, awayGames},
                          {std::max(0, homeGames * 21 - static_cast<int>(random() % 40)),
                           std::max(0, awayGames * 21 - static_cast<int>(random() % 40))}};
            if (movedEvery > 0 && ++count % movedEvery == 0 && game.Date) {
                tie.Datum = *game.Date + 1;
                tie.Uhrzeit = "18:00";
            }
            ties.push_back(std::move(tie));
        }
    return ties;
}

void FillTieTable(TRecordTable& table, const std::vector<TTieRecord>& ties) {
    DefineFields(table, BegegnungenRecordFields());
    table.CreateEmpty();
    for (const TTieRecord& tie : ties) {
        table.Append();
        WriteTieFields(table, tie);
        table.Post();
    }
}
