#include "season/TieLists.h"

#include <algorithm>

namespace {

template <class Pick> std::vector<TGameRef> GamesWhere(const TSeason& season, Pick pick) {
    std::vector<TGameRef> refs;
    for (int d = 0; d < season.DivisionCount(); ++d) {
        const auto& games = season.Games(d);
        for (int g = 0; g < static_cast<int>(games.size()); ++g)
            if (pick(games[g]))
                refs.push_back({d, g});
    }
    std::sort(refs.begin(), refs.end(), [&season](TGameRef a, TGameRef b) {
        return GameTimeOrderLess(season.Game(a), season.Game(b));
    });
    return refs;
}

} // namespace

std::vector<TGameRef> MovedTies(const TSeason& season) {
    return GamesWhere(season, [](const TSeasonGame& game) { return game.Moved; });
}

std::vector<TGameRef> TiesWithoutResult(const TSeason& season, TDaySerial today) {
    return GamesWhere(season, [today](const TSeasonGame& game) {
        return game.State == TTieState::Offen && game.Date && *game.Date < today;
    });
}

TTieLookup TieLookupOf(const TSeason& season, int division) {
    return [&season, division](const TGame& layoutGame) -> const TTieRecord* {
        for (const TSeasonGame& game : season.Games(division))
            if (game.Day == layoutGame.Day && game.Home == layoutGame.Home &&
                game.Away == layoutGame.Away)
                return season.Tie(game);
        return nullptr;
    };
}
