#pragma once
// Regional settings are one value handed to whoever needs them; nothing in
// data/ reads the process locale.
#include "data/Dates.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

struct TRegionalSettings {
    // Pattern letters d, M, y as in "dd.MM.yyyy"; one-letter d/M also read two digits.
    std::string ShortDateFormat = "dd.MM.yyyy";
    std::string LongTimeFormat = "hh:mm:ss";
    // <0, 0, >0 like strcmp, on Windows-1252 texts; letter case significant.
    std::function<int(std::string_view, std::string_view)> CompareText;

    static TRegionalSettings German();

    std::string FormatDate(TDaySerial day) const;
    // Empty when the text is no date in the short date format. Day and month
    // take one or two digits; a four-digit year stands as typed, a one- or
    // two-digit year means 1950..2049; blanks around the text are ignored.
    std::optional<TDaySerial> ParseDate(std::string_view text) const;
    int Compare(std::string_view a, std::string_view b) const;
};

// German-sensible comparison of Windows-1252 texts: umlauts sort with their
// base letters, letter case significant (lower before upper on a tie).
int CompareGermanText(std::string_view a, std::string_view b);
