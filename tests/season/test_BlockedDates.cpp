// The blocked dates' one stored form: what every reader takes from a file
// whatever its settings, and how the club window shows it.
#include "season/BlockedDates.h"

#include <gtest/gtest.h>

namespace {

TDaySerial Day(unsigned day, unsigned month, int year = 2026) {
    return *DayFromCivil(year, month, day);
}

TRegionalSettings WithFormat(const char* shortDate) {
    TRegionalSettings settings = TRegionalSettings::German();
    settings.ShortDateFormat = shortDate;
    return settings;
}

TEST(BlockedDates, StoredAndGermanFormsReadTheSameUnderAnySettings) {
    const TRegionalSettings german = TRegionalSettings::German();
    const TRegionalSettings british = WithFormat("dd/MM/yyyy");
    const TRegionalSettings us = WithFormat("M/d/yyyy");
    const TRegionalSettings dutch = WithFormat("dd-MM-yy");
    struct {
        const char* Text;
        std::vector<TDaySerial> Days;
        std::vector<std::string> Bad;
    } const cases[] = {
        {"2026-03-10; 2026-12-24", {Day(10, 3), Day(24, 12)}, {}},
        {"2026-12-24;2026-03-10; 2026-03-10", {Day(10, 3), Day(24, 12)}, {}},
        {"10.03.2026; 2026-12-24", {Day(10, 3), Day(24, 12)}, {}},
        {"2026-03-10 24.12.2026", {Day(10, 3), Day(24, 12)}, {}},
        {"2026-02-30; Ostern", {}, {"2026-02-30", "Ostern"}},
    };
    for (const TRegionalSettings* settings : {&german, &british, &us, &dutch})
        for (const auto& c : cases) {
            std::vector<std::string> bad;
            EXPECT_EQ(ParseBlockedDates(c.Text, *settings, bad), c.Days)
                << c.Text << " under " << settings->ShortDateFormat;
            EXPECT_EQ(bad, c.Bad) << c.Text << " under " << settings->ShortDateFormat;
        }
    // A short year is never the stored form: 10-03-26 under dd-MM-yy is 10 March.
    std::vector<std::string> bad;
    EXPECT_EQ(ParseBlockedDates("10-03-26", dutch, bad), std::vector<TDaySerial>{Day(10, 3)});
}

TEST(BlockedDates, StoredFormWrittenAndShownInTheUsersFormat) {
    struct {
        std::vector<TDaySerial> Days;
        const char* Stored;
    } const written[] = {
        {{}, ""},
        {{Day(10, 3)}, "2026-03-10"},
        {{Day(3, 10, 2009), Day(24, 12, 2009)}, "2009-10-03; 2009-12-24"},
    };
    for (const auto& c : written) {
        EXPECT_EQ(FormatBlockedDates(c.Days), c.Stored);
        std::vector<std::string> bad;
        EXPECT_EQ(ParseBlockedDates(c.Stored, WithFormat("M/d/yyyy"), bad), c.Days) << c.Stored;
    }

    struct {
        const char* Text;
        const char* Format;
        const char* Shown;
    } const shown[] = {
        {"2026-03-10; 2026-12-24", "dd.MM.yyyy", "10.03.2026; 24.12.2026"},
        {"2026-03-10; 2026-12-24", "dd/MM/yyyy", "10/03/2026; 24/12/2026"},
        {"2026-03-10; 2026-12-24", "M/d/yyyy", "3/10/2026; 12/24/2026"},
        {"10.03.2026", "M/d/yyyy", "3/10/2026"},
        {"", "dd/MM/yyyy", ""},
        // Nothing hidden that is no date.
        {"2026-03-10; Ostern", "dd/MM/yyyy", "2026-03-10; Ostern"},
    };
    for (const auto& c : shown)
        EXPECT_EQ(ShowBlockedDates(c.Text, WithFormat(c.Format)), c.Shown)
            << c.Text << " as " << c.Format;
}

} // namespace
