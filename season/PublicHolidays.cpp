#include "season/PublicHolidays.h"

#include "data/AsciiCase.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace {

using enum TGermanState;

struct TStateNames {
    std::string_view Code;
    std::string_view Name;
};

constexpr std::array<TStateNames, GermanStateCount> States = {{
    {"BW", "Baden-Württemberg"},
    {"BY", "Bayern"},
    {"BE", "Berlin"},
    {"BB", "Brandenburg"},
    {"HB", "Bremen"},
    {"HH", "Hamburg"},
    {"HE", "Hessen"},
    {"MV", "Mecklenburg-Vorpommern"},
    {"NI", "Niedersachsen"},
    {"NW", "Nordrhein-Westfalen"},
    {"RP", "Rheinland-Pfalz"},
    {"SL", "Saarland"},
    {"SN", "Sachsen"},
    {"ST", "Sachsen-Anhalt"},
    {"SH", "Schleswig-Holstein"},
    {"TH", "Thüringen"},
}};

bool In(TGermanState state, std::initializer_list<TGermanState> states) {
    return std::find(states.begin(), states.end(), state) != states.end();
}

TDaySerial Day(int year, unsigned month, unsigned day) {
    TDaySerial serial = 0;
    SerialOfCivil(year, month, day, serial);
    return serial;
}

// The Wednesday before 23 November. Serial 0 was a Saturday, so a
// Wednesday has the serial 4 modulo 7.
TDaySerial RepentanceDay(int year) {
    const TDaySerial before = Day(year, 11, 22);
    return before - (((before - 4) % 7) + 7) % 7;
}

bool ReformationDay(TGermanState state, int year) {
    if (year == 2017)
        return true;
    if (In(state, {BB, MV, SN, ST, TH}))
        return year >= 1991;
    return year >= 2018 && In(state, {HB, HH, NI, SH});
}

} // namespace

std::string_view StateCode(TGermanState state) {
    return States[static_cast<int>(state)].Code;
}

std::string_view StateName(TGermanState state) {
    return States[static_cast<int>(state)].Name;
}

std::optional<TGermanState> StateOfCode(std::string_view code) {
    for (int i = 0; i < GermanStateCount; ++i)
        if (EqualsIgnoringCase(States[i].Code, code))
            return static_cast<TGermanState>(i);
    return std::nullopt;
}

// The Gregorian computus (Meeus, Jones, Butcher).
TDaySerial EasterSunday(int year) {
    const int a = year % 19, b = year / 100, c = year % 100;
    const int d = b / 4, e = b % 4, f = (b + 8) / 25, g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4, k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    return Day(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
}

std::vector<TPublicHoliday> PublicHolidays(TGermanState state, int year) {
    std::vector<TPublicHoliday> days;
    const auto add = [&](bool applies, TDaySerial day, std::string_view name) {
        if (applies)
            days.push_back({day, name});
    };
    const TDaySerial easter = EasterSunday(year);
    add(true, Day(year, 1, 1), "Neujahr");
    add(In(state, {BW, BY, ST}), Day(year, 1, 6), "Heilige Drei Könige");
    add((state == BE && year >= 2019) || (state == MV && year >= 2023), Day(year, 3, 8),
        "Internationaler Frauentag");
    add(true, easter - 2, "Karfreitag");
    add(state == BB, easter, "Ostersonntag");
    add(true, easter + 1, "Ostermontag");
    add(true, Day(year, 5, 1), "Tag der Arbeit");
    add(state == BE && (year == 2020 || year == 2025), Day(year, 5, 8), "Tag der Befreiung");
    add(true, easter + 39, "Christi Himmelfahrt");
    add(state == BB, easter + 49, "Pfingstsonntag");
    add(true, easter + 50, "Pfingstmontag");
    add(In(state, {BW, BY, HE, NW, RP, SL}), easter + 60, "Fronleichnam");
    add(state == SL, Day(year, 8, 15), "Mariä Himmelfahrt");
    add(state == TH && year >= 2019, Day(year, 9, 20), "Weltkindertag");
    add(year >= 1990, Day(year, 10, 3), "Tag der Deutschen Einheit");
    add(ReformationDay(state, year), Day(year, 10, 31), "Reformationstag");
    add(In(state, {BW, BY, NW, RP, SL}), Day(year, 11, 1), "Allerheiligen");
    add(year <= 1994 || state == SN, RepentanceDay(year), "Buß- und Bettag");
    add(true, Day(year, 12, 25), "1. Weihnachtstag");
    add(true, Day(year, 12, 26), "2. Weihnachtstag");
    std::stable_sort(
        days.begin(), days.end(),
        [](const TPublicHoliday& a, const TPublicHoliday& b) { return a.Day < b.Day; });
    return days;
}
