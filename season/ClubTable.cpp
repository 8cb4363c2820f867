#include "season/ClubTable.h"

#include "data/file/Cp1252.h"
#include "season/QuotedText.h"

#include <algorithm>
#include <charconv>

namespace {

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return std::string(text.substr(first, last - first + 1));
}

std::optional<TDaySerial> ParseOneDate(std::string_view text, const TRegionalSettings& settings) {
    if (auto day = settings.ParseDate(text))
        return day;
    return TRegionalSettings::German().ParseDate(text);
}

} // namespace

std::vector<TDaySerial> ParseBlockedDates(std::string_view text, const TRegionalSettings& settings,
                                          std::vector<std::string>& bad) {
    std::vector<TDaySerial> days;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(';', start), text.size());
        const std::string piece = Trimmed(text.substr(start, end - start));
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
            const std::string word = piece.substr(pos, wordEnd - pos);
            pos = wordEnd + 1;
            if (word.empty())
                continue;
            if (const auto day = ParseOneDate(word, settings))
                days.push_back(*day);
            else
                bad.push_back(word);
        }
    }
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    return days;
}

TClubTableRead ClubsFromTable(TRecordTable& table) {
    TClubTableRead read;
    if (!table.Active())
        return read;
    const TField* name = table.FindField("Verein");
    const TField* capacity = table.FindField("Kapazitaet");
    const TField* blocked = table.FindField("Sperrtermine");
    if (!name) {
        read.Problems.push_back("Die Vereinstabelle hat kein Feld \xE2\x80\x9EVerein\xE2\x80\x9C.");
        return read;
    }
    const TRegionalSettings& settings = table.Settings();
    std::vector<std::string> folded;
    for (int r = 0; r < table.DisplayCount(); ++r) {
        TClubValues club;
        club.Name = Trimmed(table.DisplayText(r, name->Index()));
        const std::string row = "Verein in Zeile " + std::to_string(r + 1);
        if (club.Name.empty()) {
            read.Problems.push_back(row + " hat keinen Namen und bleibt unbeachtet.");
            continue;
        }
        const std::string label = "Verein " + QuotedFieldText(club.Name);
        std::string key = FoldClubName(club.Name);
        if (std::find(folded.begin(), folded.end(), key) != folded.end()) {
            read.Problems.push_back(label +
                                    " steht mehrfach in der Tabelle; es gilt der erste Eintrag.");
            continue;
        }
        folded.push_back(std::move(key));
        if (capacity) {
            const std::string text = Trimmed(table.DisplayText(r, capacity->Index()));
            int value = DefaultCapacity;
            const auto [end, error] =
                std::from_chars(text.data(), text.data() + text.size(), value);
            if (text.empty()) {
                value = DefaultCapacity;
            } else if (error != std::errc() || end != text.data() + text.size()) {
                read.Problems.push_back(label + ": Kapazit\xC3\xA4t " + QuotedFieldText(text) +
                                        " ist keine Zahl; es gilt 1.");
                value = DefaultCapacity;
            } else if (value < 1 || value > MaxCapacity) {
                const int clamped = std::clamp(value, 1, MaxCapacity);
                read.Problems.push_back(label + ": Kapazit\xC3\xA4t " + text +
                                        " liegt nicht zwischen 1 und 9; es gilt " +
                                        std::to_string(clamped) + ".");
                value = clamped;
            }
            club.Capacity = value;
        }
        if (blocked) {
            std::vector<std::string> bad;
            club.Blocked = ParseBlockedDates(table.DisplayText(r, blocked->Index()), settings, bad);
            for (const std::string& word : bad)
                read.Problems.push_back(label + ": Sperrtermin " + QuotedFieldText(word) +
                                        " ist kein Datum und bleibt unbeachtet.");
        }
        read.Clubs.push_back(std::move(club));
    }
    return read;
}
