#include "data/Dates.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

TEST(Dates, CivilAndSerialBothWays) {
    struct TCase {
        int Year;
        unsigned Month, Day;
        TDaySerial Serial;
    };
    const TCase cases[] = {
        {1899, 12, 30, 0},  {1899, 12, 31, 1},       {1900, 1, 1, 2},
        {1900, 3, 1, 61},   {2000, 2, 29, 36585},    {2009, 9, 12, 40068},
        {1, 1, 1, -693593}, {9999, 12, 31, 2958465}, {1899, 12, 29, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DayFromCivil(c.Year, c.Month, c.Day), c.Serial) << c.Year << "-" << c.Month;
        EXPECT_EQ(CivilFromDay(c.Serial), (TCivilDate{c.Year, c.Month, c.Day})) << c.Serial;
    }
}

// The direct arithmetic agrees with std::chrono's civil calendar, both ways:
// on every day of 1800..2200 (each leap-year rule at work) and on every 97th
// day of the four-digit years and beyond them.
TEST(Dates, AgreesWithTheCivilCalendar) {
    using namespace std::chrono;
    constexpr sys_days Epoch = year{1899} / December / day{30};
    auto check = [&](TDaySerial serial) {
        const year_month_day date{Epoch + days{serial}};
        const TCivilDate want{int(date.year()), unsigned(date.month()), unsigned(date.day())};
        const bool fourDigits = serial >= FirstDaySerial && serial <= LastDaySerial;
        const auto back = DayFromCivil(want.Year, want.Month, want.Day);
        return CivilFromDay(serial) == want &&
               back == (fourDigits ? std::optional(serial) : std::nullopt);
    };
    // One assertion per failure, not per day: the loops stay fast.
    for (TDaySerial serial = -36522; serial <= 109939; ++serial)
        if (!check(serial))
            FAIL() << "serial " << serial;
    for (TDaySerial serial = FirstDaySerial - 400000; serial <= LastDaySerial + 400000;
         serial += 97)
        if (!check(serial))
            FAIL() << "serial " << serial;
    for (TDaySerial serial : {FirstDaySerial - 1, FirstDaySerial, LastDaySerial, LastDaySerial + 1})
        EXPECT_TRUE(check(serial)) << serial;
}

TEST(Dates, NoSuchDay) {
    struct TCase {
        int Year;
        unsigned Month, Day;
    };
    const TCase cases[] = {{2009, 2, 29}, {2009, 13, 1}, {2009, 0, 1},  {2009, 4, 31},
                           {2009, 1, 0},  {0, 1, 1},     {10000, 1, 1}, {1900, 2, 29}};
    for (const auto& c : cases)
        EXPECT_FALSE(DayFromCivil(c.Year, c.Month, c.Day))
            << c.Year << "-" << c.Month << "-" << c.Day;
}

TEST(Dates, TodayIsARealDay) {
    const TCivilDate today = CivilFromDay(Today());
    EXPECT_GE(today.Year, 2020);
    EXPECT_TRUE(DayFromCivil(today.Year, today.Month, today.Day));
}

} // namespace
