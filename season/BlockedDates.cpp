#include "season/BlockedDates.h"

#include "season/Blanks.h"

#include <algorithm>

namespace {

const TRegionalSettings& StoredForm() {
    static const TRegionalSettings iso = [] {
        TRegionalSettings settings = TRegionalSettings::German();
        settings.ShortDateFormat = "yyyy-MM-dd";
        return settings;
    }();
    return iso;
}

// Only the full yyyy-MM-dd: "10-03-26" typed under dd-MM-yy is no stored date.
std::optional<TDaySerial> ParseStored(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
    return StoredForm().ParseDate(text);
}

std::optional<TDaySerial> ParseOneDate(std::string_view text, const TRegionalSettings& settings) {
    if (auto day = ParseStored(text))
        return day;
    if (auto day = TRegionalSettings::German().ParseDate(text))
        return day;
    return settings.ParseDate(text);
}

std::string Joined(const std::vector<TDaySerial>& days, const TRegionalSettings& settings) {
    std::string text;
    for (TDaySerial day : days)
        text += (text.empty() ? "" : "; ") + settings.FormatDate(day);
    return text;
}

} // namespace

std::string FormatBlockedDates(const std::vector<TDaySerial>& days) {
    return Joined(days, StoredForm());
}

std::vector<TDaySerial> ParseBlockedDates(std::string_view text, const TRegionalSettings& settings,
                                          std::vector<std::string>& bad) {
    std::vector<TDaySerial> days;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(';', start), text.size());
        const std::string_view piece = TrimmedBlanks(text.substr(start, end - start));
        start = end + 1;
        if (piece.empty())
            continue;
        if (const auto day = ParseOneDate(piece, settings)) {
            days.push_back(*day);
            continue;
        }
        // Several dates with blanks between them.
        std::size_t pos = 0;
        while (pos < piece.size()) {
            const std::size_t wordEnd = std::min(piece.find(' ', pos), piece.size());
            const std::string_view word = piece.substr(pos, wordEnd - pos);
            pos = wordEnd + 1;
            if (word.empty())
                continue;
            if (const auto day = ParseOneDate(word, settings))
                days.push_back(*day);
            else
                bad.emplace_back(word);
        }
    }
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    return days;
}

std::string ShowBlockedDates(std::string_view text, const TRegionalSettings& settings) {
    std::vector<std::string> bad;
    const std::vector<TDaySerial> days = ParseBlockedDates(text, settings, bad);
    return bad.empty() ? Joined(days, settings) : std::string(text);
}
