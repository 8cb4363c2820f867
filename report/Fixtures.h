#pragma once
// The games a layout schedules, read from its pairing tables.
#include "report/FixtureLayout.h"

#include <string_view>
#include <vector>

struct TGame {
    TSpieltagKey Day = TSpieltagKey::k1;
    int Game = 1; // 1: first game (15 Uhr), 2: second game (19 Uhr)
    int Row = 1;  // 1-based row of the block
    TSlotName Home = TSlotName::s1A;
    TSlotName Away = TSlotName::s1B;
};

// In print order of the match days, first games before second games, rows in order.
std::vector<TGame> GamesOf(const TFixtureLayout& layout);

// "15:00" for the first game, "19:00" for the second.
std::string_view GameClock(int game);
