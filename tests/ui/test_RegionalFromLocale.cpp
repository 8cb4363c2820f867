#include "ui/RegionalFromLocale.h"

#include <gtest/gtest.h>

namespace {

struct TLocaleCase {
    const char* Name;
    const char* ShortDate;
    const char* LongTime;
};

TEST(RegionalFromLocale, TakesTheLocalesFormsWithFourDigitYears) {
    const TLocaleCase cases[] = {
        {"", "dd.MM.yyyy", "hh:mm:ss"},
        {"C", "dd.MM.yyyy", "hh:mm:ss"},
        {"C.UTF-8", "dd.MM.yyyy", "hh:mm:ss"},
        {"POSIX", "dd.MM.yyyy", "hh:mm:ss"},
        {"de_DE.UTF-8", "dd.MM.yyyy", "hh:mm:ss"},
        {"de_DE@euro", "dd.MM.yyyy", "hh:mm:ss"},
        {"en_US.UTF-8", "M/d/yyyy", "h:mm:ss AM/PM"},
        {"en_GB.UTF-8", "dd/MM/yyyy", "hh:mm:ss"},
        {"nl_NL", "dd-MM-yyyy", "hh:mm:ss"},
        {"xx_YY", "dd.MM.yyyy", "hh:mm:ss"},
    };
    for (const auto& c : cases) {
        const TRegionalSettings settings = RegionalFromLocale(c.Name);
        EXPECT_EQ(settings.ShortDateFormat, c.ShortDate) << "locale " << c.Name;
        EXPECT_EQ(settings.LongTimeFormat, c.LongTime) << "locale " << c.Name;
    }
}

TEST(RegionalFromLocale, EveryDatePatternHasDayMonthAndYearOnce) {
    for (const char* name : {"fr_FR", "ja_JP", "ko_KR", "ar_EG", "fa_IR", "zh_CN", "hu_HU"}) {
        const std::string format = RegionalFromLocale(name).ShortDateFormat;
        EXPECT_NE(format.find("yyyy"), std::string::npos) << name << ": " << format;
        EXPECT_NE(format.find('d'), std::string::npos) << name << ": " << format;
        EXPECT_NE(format.find('M'), std::string::npos) << name << ": " << format;
    }
}

} // namespace
