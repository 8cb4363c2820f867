#include "season/Games.h"

#include <algorithm>
#include <array>

std::vector<TSeasonGame> GamesOfDivision(const TDivisionValues& division, int divisionIndex) {
    const std::vector<TGame> games = GamesOf(LayoutOf(division));
    std::vector<TSeasonGame> result;
    result.reserve(games.size());
    std::array<bool, SlotCount> bye{};
    for (int s = 0; s < SlotCount; ++s)
        bye[s] = IsByeSlot(division, static_cast<TSlotName>(s));
    for (const TGame& game : games) {
        if (bye[static_cast<int>(game.Home)] || bye[static_cast<int>(game.Away)])
            continue;
        TSeasonGame& added = result.emplace_back();
        added.Division = divisionIndex;
        added.Day = game.Day;
        added.Game = game.Game;
        added.Row = game.Row;
        added.Home = game.Home;
        added.Away = game.Away;
        added.HomeTeam = TrimmedTeam(division.Team(game.Home));
        added.AwayTeam = TrimmedTeam(division.Team(game.Away));
        added.Date = division.Date(game.Day);
        added.Clock = LayoutClock(game.Game);
        added.HallGame = game.Game;
    }
    return result;
}

namespace {

int TimeRank(TSpieltagKey key) {
    const auto& order = SpieltageInTimeOrder();
    return static_cast<int>(std::find(order.begin(), order.end(), key) - order.begin());
}

} // namespace

bool GameTimeOrderLess(const TSeasonGame& a, const TSeasonGame& b) {
    if (a.Date != b.Date)
        return a.Date && (!b.Date || *a.Date < *b.Date);
    if (a.Clock != b.Clock)
        return a.Clock < b.Clock;
    if (a.Game != b.Game)
        return a.Game < b.Game;
    if (a.Day != b.Day)
        return TimeRank(a.Day) < TimeRank(b.Day);
    if (a.Division != b.Division)
        return a.Division < b.Division;
    return a.Home < b.Home;
}
