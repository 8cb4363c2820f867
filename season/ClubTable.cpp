#include "season/ClubTable.h"

#include "data/file/Cp1252.h"
#include "season/Blanks.h"
#include "season/BlockedDates.h"
#include "season/QuotedText.h"

#include <algorithm>
#include <charconv>

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
        club.Name = std::string(TrimmedBlanks(table.DisplayText(r, name->Index())));
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
            const std::string text =
                std::string(TrimmedBlanks(table.DisplayText(r, capacity->Index())));
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
