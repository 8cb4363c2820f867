#include "data/AsciiCase.h"

#include <gtest/gtest.h>

namespace {

// Only A..Z fold; the neighbours of the letter ranges and the code page's
// own letters keep their case, so "Ä" and "ä" name different fields.
TEST(AsciiCase, OnlyAsciiLettersFold) {
    struct TCase {
        const char* A;
        const char* B;
        bool Equal;
    };
    const TCase cases[] = {
        {"10Klasse", "10KLASSE", true}, {"az", "AZ", true},   {"", "", true},
        {"@[`{", "@[`{", true},         {"@", "`", false},    {"[", "{", false},
        {"\xC4", "\xE4", false},        {"ab", "abc", false}, {"Klasse8", "Klasse10", false},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(EqualsIgnoringCase(c.A, c.B), c.Equal) << c.A << " / " << c.B;
        EXPECT_EQ(EqualsIgnoringCase(c.B, c.A), c.Equal) << c.B << " / " << c.A;
    }
    EXPECT_EQ(AsciiLowered("1A-Z@\xC4"), "1a-z@\xC4");
}

} // namespace
