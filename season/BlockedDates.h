#pragma once
// The club table's blocked dates (Sperrtermine) as text. The file holds one
// form whatever the regional settings, so that every reader sees the same
// days: ISO dates separated by "; ", sorted, each once ("2026-10-03;
// 2026-12-24"). Earlier versions wrote the user's short date format; the
// German dd.MM.yyyy is read everywhere, another user's format only where
// those settings are at hand.
#include "data/RegionalSettings.h"

#include <string>
#include <string_view>
#include <vector>

// The stored form of these days.
std::string FormatBlockedDates(const std::vector<TDaySerial>& days);

// Dates separated by ';' (or blanks where the short date format has none),
// each in the stored form, as dd.MM.yyyy or in the settings' short date
// format, tried in that order; what is none goes to bad as typed. Sorted,
// each date once.
std::vector<TDaySerial> ParseBlockedDates(std::string_view text, const TRegionalSettings& settings,
                                          std::vector<std::string>& bad);

// The text in the settings' short date format for the user; a text with
// anything that is no date is shown as it stands.
std::string ShowBlockedDates(std::string_view text, const TRegionalSettings& settings);
