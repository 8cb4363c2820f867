#pragma once
// The program's regional settings: taken from the system's LC_TIME locale
// when one is named, German otherwise.
#include "data/RegionalSettings.h"

#include <string>
#include <string_view>

// The locale name that governs LC_TIME: LC_ALL, then LC_TIME, then LANG
// (the first one set and not empty); empty when none is set.
std::string EffectiveTimeLocaleName();

// Settings for a locale name such as "de_DE.UTF-8". An empty name, "C",
// "POSIX" or a name whose date form cannot be used give the German settings.
// Years are always shown with four digits; a form our patterns cannot
// express keeps the German one.
TRegionalSettings RegionalFromLocale(std::string_view localeName);
