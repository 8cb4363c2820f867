#pragma once
// The games of a division as the season sees them: every cell pair of its
// layout with the teams and the date of its match day.
#include "report/DivisionValues.h"
#include "report/Fixtures.h"
#include "report/TieValues.h"

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
    std::optional<TDaySerial> Date; // the tie's own date; none: unscheduled
    // What its tie record adds (the layout's values without one).
    int Clock = LayoutClock(1); // start, minutes since midnight
    int HallGame = 1;           // the game time the hall check counts it in
    bool Moved = false;         // date or time not the layout's
    TTieState State = TTieState::Offen;
    int Tie = -1; // index into TSeason::TieRecords(Division), -1 none

    bool Scheduled() const { return Date.has_value(); }
    // Abgesetzt: no hall use, no calendar event.
    bool Cancelled() const { return State == TTieState::Abgesetzt; }
};

// A moved tie in the hall check: the game time its start falls in.
inline int HallGameOfClock(int minutes) {
    return minutes < 17 * 60 ? 1 : 2;
}

// The layout's games in print order (the order of GamesOf), without those
// of a bye.
std::vector<TSeasonGame> GamesOfDivision(const TDivisionValues& division, int divisionIndex);

// The layout's game it is.
inline TGame LayoutGame(const TSeasonGame& game) {
    return {game.Day, game.Game, game.Row, game.Home, game.Away};
}

// Time order: date (unscheduled last), start, game time, match day in time order,
// division, home slot.
bool GameTimeOrderLess(const TSeasonGame& a, const TSeasonGame& b);
