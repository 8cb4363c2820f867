#pragma once
// The public holidays of each German state, computed for any year from the
// rules as they stand and the years they changed.
#include "data/Dates.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The sixteen states in the order of their two-letter codes' usual list.
enum class TGermanState { BW, BY, BE, BB, HB, HH, HE, MV, NI, NW, RP, SL, SN, ST, SH, TH };
inline constexpr int GermanStateCount = 16;

std::string_view StateCode(TGermanState state); // "NI"
std::string_view StateName(TGermanState state); // "Niedersachsen" (UTF-8)
// The state of a code, letter case ignored; nothing when there is none.
std::optional<TGermanState> StateOfCode(std::string_view code);

struct TPublicHoliday {
    TDaySerial Day = 0;
    std::string_view Name; // UTF-8
    friend bool operator==(const TPublicHoliday&, const TPublicHoliday&) = default;
};

TDaySerial EasterSunday(int year);
// In date order. Rules from the reunification on: 3 October from 1990,
// Buß- und Bettag everywhere until 1994 and in Saxony from 1995, Reformationstag
// in the eastern states, everywhere in 2017 and in the four northern states from 2018,
// Frauentag in Berlin from 2019 and Mecklenburg-Vorpommern from 2023,
// Weltkindertag in Thuringia from 2019.
std::vector<TPublicHoliday> PublicHolidays(TGermanState state, int year);
