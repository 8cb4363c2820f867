#include "data/RegionalSettings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(RegionalSettings, GermanShortDate) {
    const auto settings = TRegionalSettings::German();
    EXPECT_EQ(settings.FormatDate(0), "30.12.1899");
    EXPECT_EQ(settings.FormatDate(*DayFromCivil(2009, 9, 5)), "05.09.2009");
    EXPECT_EQ(settings.LongTimeFormat, "hh:mm:ss");

    struct TCase {
        const char* Text;
        std::optional<TDaySerial> Day;
    };
    const TCase cases[] = {
        {"05.09.2009", DayFromCivil(2009, 9, 5)},
        {"5.9.2009", DayFromCivil(2009, 9, 5)},
        {" 5.09.2009 ", DayFromCivil(2009, 9, 5)},
        {"5.9.09", DayFromCivil(2009, 9, 5)},
        {"1.1.49", DayFromCivil(2049, 1, 1)},
        {"1.1.50", DayFromCivil(1950, 1, 1)},
        {"30.12.1899", 0},
        {"29.02.2008", DayFromCivil(2008, 2, 29)},
        {"29.02.2009", std::nullopt},
        {"31.04.2009", std::nullopt},
        {"5.9.209", std::nullopt},
        {"5.9.", std::nullopt},
        {"5/9/2009", std::nullopt},
        {"005.9.2009", std::nullopt},
        {"5.9.2009x", std::nullopt},
        {"a.b.c", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(settings.ParseDate(c.Text), c.Day) << '"' << c.Text << '"';
}

TEST(RegionalSettings, OtherPatterns) {
    auto settings = TRegionalSettings::German();
    settings.ShortDateFormat = "M/d/yyyy";
    EXPECT_EQ(settings.FormatDate(*DayFromCivil(2009, 9, 5)), "9/5/2009");
    EXPECT_EQ(settings.ParseDate("09/05/2009"), DayFromCivil(2009, 9, 5));
    settings.ShortDateFormat = "yyyy-MM-dd";
    EXPECT_EQ(settings.FormatDate(*DayFromCivil(812, 1, 2)), "0812-01-02");
    EXPECT_EQ(settings.ParseDate("2009-9-5"), DayFromCivil(2009, 9, 5));
}

TEST(RegionalSettings, GermanTextOrder) {
    // "mude" and "müde" differ only by the accent, so the plain one comes first.
    const char* withAccentLast[][2] = {{"mude", "m\xFC"
                                                "de"},
                                       {"Muller", "M\xFC"
                                                  "ller"},
                                       {"ss", "\xDF"}};
    for (const auto& pair : withAccentLast)
        EXPECT_LT(CompareGermanText(pair[0], pair[1]), 0) << pair[0] << " / " << pair[1];
    // Each text sorts before the next: umlauts with their base letters,
    // lower before upper case.
    const char* chain[] = {"",
                           " b",
                           "1",
                           "9",
                           "a",
                           "A",
                           "\xE4",
                           "\xC4",
                           "ab",
                           "Ab",
                           "b",
                           "mude",
                           "m\xFC"
                           "de",
                           "mueller",
                           "Muller",
                           "M\xFC"
                           "ller",
                           "s",
                           "ss",
                           "\xDF",
                           "sst",
                           "z"};
    for (size_t i = 0; i + 1 < std::size(chain); ++i) {
        EXPECT_LT(CompareGermanText(chain[i], chain[i + 1]), 0) << i << ": " << chain[i];
        EXPECT_GT(CompareGermanText(chain[i + 1], chain[i]), 0) << i << ": " << chain[i];
    }
    EXPECT_EQ(CompareGermanText("Kreisliga", "Kreisliga"), 0);
}

} // namespace
