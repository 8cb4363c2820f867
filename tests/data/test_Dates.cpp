#include "data/Dates.h"

#include <gtest/gtest.h>

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
