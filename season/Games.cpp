#include "season/Games.h"

#include <algorithm>

std::vector<TSeasonGame> GamesOfDivision(const TDivisionValues& division, int divisionIndex) {
    const std::vector<TGame> games = GamesOf(LayoutOf(division));
    std::vector<TSeasonGame> result;
    result.reserve(games.size());
    for (const TGame& game : games)
        result.push_back({divisionIndex, game.Day, game.Game, game.Row, game.Home, game.Away,
                          TrimmedTeam(division.Team(game.Home)),
                          TrimmedTeam(division.Team(game.Away)), division.Date(game.Day)});
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
    if (a.Game != b.Game)
        return a.Game < b.Game;
    if (a.Day != b.Day)
        return TimeRank(a.Day) < TimeRank(b.Day);
    if (a.Division != b.Division)
        return a.Division < b.Division;
    return a.Home < b.Home;
}
