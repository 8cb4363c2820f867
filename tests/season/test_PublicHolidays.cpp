// The public holidays of the states against a hand-made table of dates.
#include "season/PublicHolidays.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using enum TGermanState;

TDaySerial Date(unsigned day, unsigned month, int year) {
    return *DayFromCivil(year, month, day);
}

// The name of the holiday on that day, empty when there is none.
std::string HolidayOn(TGermanState state, TDaySerial day) {
    for (const TPublicHoliday& holiday : PublicHolidays(state, CivilOfSerial(day).Year))
        if (holiday.Day == day)
            return std::string(holiday.Name);
    return {};
}

struct TCase {
    TGermanState State;
    unsigned Day, Month;
    int Year;
    const char* Expected; // "" for an ordinary day
};

TEST(PublicHolidays, KnownDates) {
    const TCase cases[] = {
        // Easter early (2008: 23 March) and late (2011: 24 April; 2038: 25 April).
        {NI, 21, 3, 2008, "Karfreitag"},
        {NI, 24, 3, 2008, "Ostermontag"},
        {NI, 25, 4, 2011, "Ostermontag"},
        {HH, 26, 4, 2038, "Ostermontag"},
        {BY, 29, 5, 2025, "Christi Himmelfahrt"},
        {BE, 9, 6, 2025, "Pfingstmontag"},
        {BB, 8, 6, 2025, "Pfingstsonntag"},
        {NI, 8, 6, 2025, ""},
        // Fronleichnam in six states only.
        {BY, 19, 6, 2025, "Fronleichnam"},
        {BW, 30, 5, 2024, "Fronleichnam"},
        {HE, 19, 6, 2025, "Fronleichnam"},
        {NW, 19, 6, 2025, "Fronleichnam"},
        {RP, 19, 6, 2025, "Fronleichnam"},
        {SL, 19, 6, 2025, "Fronleichnam"},
        {SN, 19, 6, 2025, ""},
        {NI, 19, 6, 2025, ""},
        // Reformationstag: the east, everywhere in 2017, the north from 2018.
        {BY, 31, 10, 2017, "Reformationstag"},
        {NW, 31, 10, 2017, "Reformationstag"},
        {NI, 31, 10, 2016, ""},
        {NI, 31, 10, 2018, "Reformationstag"},
        {BY, 31, 10, 2018, ""},
        {SN, 31, 10, 2016, "Reformationstag"},
        // Buß- und Bettag: Saxony, and everywhere until 1994.
        {SN, 20, 11, 2024, "Buß- und Bettag"},
        {SN, 22, 11, 2023, "Buß- und Bettag"},
        {SN, 18, 11, 2026, "Buß- und Bettag"},
        {BY, 20, 11, 2024, ""},
        {NI, 16, 11, 1994, "Buß- und Bettag"},
        {NI, 22, 11, 1995, ""},
        // Frauentag in Berlin from 2019, Mecklenburg-Vorpommern from 2023.
        {BE, 8, 3, 2019, "Internationaler Frauentag"},
        {BE, 8, 3, 2018, ""},
        {MV, 8, 3, 2023, "Internationaler Frauentag"},
        {MV, 8, 3, 2022, ""},
        // Weltkindertag in Thuringia from 2019.
        {TH, 20, 9, 2019, "Weltkindertag"},
        {TH, 20, 9, 2018, ""},
        {SN, 20, 9, 2019, ""},
        {BW, 1, 11, 2025, "Allerheiligen"},
        {SL, 15, 8, 2025, "Mariä Himmelfahrt"},
        {BY, 6, 1, 2025, "Heilige Drei Könige"},
        {HB, 6, 1, 2025, ""},
        {HB, 3, 10, 2025, "Tag der Deutschen Einheit"},
        {HB, 26, 12, 2025, "2. Weihnachtstag"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(HolidayOn(c.State, Date(c.Day, c.Month, c.Year)), c.Expected)
            << StateCode(c.State) << " " << c.Day << "." << c.Month << "." << c.Year;
}

TEST(PublicHolidays, CountsAndOrderPerState) {
    EXPECT_EQ(PublicHolidays(NI, 2025).size(), 10u);
    EXPECT_EQ(PublicHolidays(BY, 2025).size(), 12u);
    EXPECT_EQ(PublicHolidays(BB, 2025).size(), 12u);
    for (int s = 0; s < GermanStateCount; ++s) {
        const auto days = PublicHolidays(static_cast<TGermanState>(s), 2024);
        EXPECT_TRUE(std::is_sorted(days.begin(), days.end(),
                                   [](const auto& a, const auto& b) { return a.Day < b.Day; }));
    }
}

TEST(PublicHolidays, StateCodes) {
    EXPECT_EQ(StateOfCode("ni"), NI);
    EXPECT_EQ(StateOfCode("TH"), TH);
    EXPECT_FALSE(StateOfCode("XX"));
    EXPECT_FALSE(StateOfCode(""));
    for (int s = 0; s < GermanStateCount; ++s)
        EXPECT_EQ(StateOfCode(StateCode(static_cast<TGermanState>(s))),
                  static_cast<TGermanState>(s));
    EXPECT_EQ(StateName(NW), "Nordrhein-Westfalen");
}

} // namespace
