#include "app/RegionalFromLocale.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

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

namespace {

// Sets or clears the three variables for one case and restores them after.
class TLocaleEnvironment {
public:
    TLocaleEnvironment(const char* all, const char* time, const char* lang) {
        for (int i = 0; i < 3; ++i) {
            const char* former = std::getenv(Names[i]);
            saved_[i] = former ? std::optional<std::string>(former) : std::nullopt;
        }
        Set(0, all);
        Set(1, time);
        Set(2, lang);
    }
    ~TLocaleEnvironment() {
        for (int i = 0; i < 3; ++i)
            Set(i, saved_[i] ? saved_[i]->c_str() : nullptr);
    }

private:
    static constexpr const char* Names[3] = {"LC_ALL", "LC_TIME", "LANG"};
    static void Set(int i, const char* value) {
        if (value)
            setenv(Names[i], value, 1);
        else
            unsetenv(Names[i]);
    }
    std::optional<std::string> saved_[3];
};

struct TEnvironmentCase {
    const char* All;
    const char* Time;
    const char* Lang;
    const char* Expected;
};

TEST(EffectiveTimeLocaleName, FollowsThePosixPrecedence) {
    const TEnvironmentCase cases[] = {
        {nullptr, nullptr, nullptr, ""},
        {nullptr, nullptr, "en_US.UTF-8", "en_US.UTF-8"},
        {nullptr, "de_DE.UTF-8", "en_US.UTF-8", "de_DE.UTF-8"},
        {"C", "de_DE.UTF-8", "en_US.UTF-8", "C"},
        {"", "", "en_GB.UTF-8", "en_GB.UTF-8"},
    };
    for (const auto& c : cases) {
        TLocaleEnvironment environment(c.All, c.Time, c.Lang);
        EXPECT_EQ(EffectiveTimeLocaleName(), c.Expected)
            << "LC_ALL=" << (c.All ? c.All : "(unset)")
            << " LC_TIME=" << (c.Time ? c.Time : "(unset)")
            << " LANG=" << (c.Lang ? c.Lang : "(unset)");
    }
}

} // namespace
