#pragma once
// The games of a division as the season sees them: every cell pair of its
// layout with the teams and the date of its match day.
#include "report/DivisionValues.h"
#include "report/Fixtures.h"

#include <optional>
#include <string>
#include <vector>

struct TSeasonGame {
    int Division = 0; // the division's index in its season
    TSpieltagKey Day = TSpieltagKey::k1;
    int Game = 1; // 1: first game (15 Uhr), 2: second game (19 Uhr), as TGame
    int Row = 1;
    TSlotName Home = TSlotName::s1A;
    TSlotName Away = TSlotName::s1B;
    std::string HomeTeam; // Windows-1252 without blanks around; empty slot: empty
    std::string AwayTeam;
    std::optional<TDaySerial> Date; // none: unscheduled

    bool Scheduled() const { return Date.has_value(); }
};

// The layout's games in print order (the order of GamesOf).
std::vector<TSeasonGame> GamesOfDivision(const TDivisionValues& division, int divisionIndex);

// The layout's game it is.
inline TGame LayoutGame(const TSeasonGame& game) {
    return {game.Day, game.Game, game.Row, game.Home, game.Away};
}

// Time order: date (unscheduled last), game time, match day in time order,
// division, home slot.
bool GameTimeOrderLess(const TSeasonGame& a, const TSeasonGame& b);
