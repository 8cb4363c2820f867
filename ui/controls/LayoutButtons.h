#pragma once
// Where the navigator's buttons stand for a requested size. Pure arithmetic:
// exact fractions, rounding halves to the even neighbour.
#include "ui/controls/MYDBNavTypes.h"

#include <array>
#include <cstdint>

struct TNavButtonPlace {
    int X = 0;
    int Width = 0;
    friend bool operator==(const TNavButtonPlace&, const TNavButtonPlace&) = default;
};

struct TNavLayout {
    int Width = 0; // the size the navigator must take
    int Height = 0;
    int WidthUnit = 0;
    std::array<TNavButtonPlace, MNavButtonCount> Buttons{};
};

// width, height: the requested size; docked: the navigator is aligned to a
// side of its parent (then the width is kept, not snapped to the buttons);
// currentWidth: the navigator's width now, right of which hidden buttons go.
TNavLayout LayoutButtons(int width, int height, TMButtonSet visible, bool docked, int currentWidth);

// num / den rounded to the nearest integer, halves to even; den > 0.
std::int64_t RoundHalfEven(std::int64_t num, std::int64_t den);
