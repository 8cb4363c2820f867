#include "report/Fixtures.h"

std::vector<TGame> GamesOf(const TFixtureLayout& layout) {
    std::vector<TGame> games;
    for (const TMatchDayPairings& day : layout.MatchDays) {
        int game = 1;
        for (const auto* rows : {&day.FirstGame, &day.SecondGame}) {
            for (std::size_t row = 0; row < rows->size(); ++row)
                if (const auto& pairing = (*rows)[row])
                    games.push_back(
                        {day.Day, game, static_cast<int>(row) + 1, pairing->Home, pairing->Away});
            ++game;
        }
    }
    return games;
}

std::string_view GameClock(int game) {
    return game == 1 ? "15:00" : "19:00";
}
