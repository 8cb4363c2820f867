#pragma once
// What the season adds to a tie: a moved date and time, its state and its
// result, as plain values read from the tie file's rows.
#include "data/Dates.h"
#include "data/table/RecordTable.h"
#include "report/Fixtures.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class TTieState : std::uint8_t {
    Offen,
    Gespielt,
    KampflosHeim, // the home side did not appear
    KampflosGast,
    Abgesetzt,      // cancelled: counts nothing, anywhere
    UmgewertetHeim, // re-scored as won by the home side
    UmgewertetGast,
    // A record of a team alone (Gast empty), not of a tie.
    Zurueckgezogen,
    Punktabzug, // the points taken off in PunkteHeim
};

// "offen", "kampflos Heim", "zurückgezogen" (Windows-1252), as stored.
std::string_view TieStateName(TTieState state);
// Letter case and blanks around ignored, empty is "offen"; nothing when the
// text names no state.
std::optional<TTieState> ParseTieState(std::string_view cp1252);
// Zurueckgezogen and Punktabzug.
bool IsTeamState(TTieState state);

struct TScorePair {
    std::optional<std::int32_t> Home;
    std::optional<std::int32_t> Away;
    bool Empty() const { return !Home && !Away; }
    bool Complete() const { return Home && Away; }
    friend bool operator==(const TScorePair&, const TScorePair&) = default;
};

// Matches ("Spiele"), games ("Saetze") and rally points ("Punkte"), home:away.
struct TTieResult {
    TScorePair Spiele;
    TScorePair Saetze;
    TScorePair Punkte;
    bool Empty() const { return Spiele.Empty() && Saetze.Empty() && Punkte.Empty(); }
    friend bool operator==(const TTieResult&, const TTieResult&) = default;
};

struct TTieRecord {
    std::int32_t Jahr = 0;
    std::string Klasse; // texts Windows-1252, as stored
    std::string Spieltag;
    std::string Heim;
    std::string Gast;                // empty for a record of a team alone
    std::optional<TDaySerial> Datum; // empty: the match day's date
    std::string Uhrzeit;             // "HH:MM"; empty: the layout's time
    TTieState Status = TTieState::Offen;
    TTieResult Result;
    std::string Bemerkung;
    friend bool operator==(const TTieRecord&, const TTieRecord&) = default;
};

// "5:3" (blanks anywhere ignored); an empty text is an empty pair; nothing
// when the text is no pair of whole numbers >= 0.
std::optional<TScorePair> ParseScorePair(std::string_view text);
// "5:3"; empty when a side is missing.
std::string FormatScorePair(const TScorePair& pair);
// The result as typed in one row: "5:3 11:7 386:301", the pairs given.
std::string FormatResult(const TTieResult& result);

// The result shown for a tie: "5:3" played, "0:8 kampflos", "8:0
// umgewertet (3:5)", "abgesetzt"; empty when open.
std::string TieResultText(const TTieRecord& record);

// "19:30" (one-digit hour allowed) as minutes since midnight; nothing when
// no time of day.
std::optional<int> ParseClock(std::string_view text);
// "09:05".
std::string FormatClock(int minutes);
// The layout's start of a game time: 15:00 for the first, 19:00 for the second.
inline int LayoutClock(int game) {
    return game == 1 ? 15 * 60 : 19 * 60;
}

struct TTieTableRead {
    std::vector<TTieRecord> Ties;
    std::vector<std::string> Problems; // German, UTF-8, one per value left out
};

// Every row in the table's order, read without trusting it: a row without
// year, class or home team is left out, an unknown state reads as "offen",
// a time that is none as empty; each is reported.
TTieTableRead TiesFromTable(TRecordTable& table);
// The record's values into the table's current row (editing).
void WriteTieFields(TRecordTable& table, const TTieRecord& record);

// The record of a layout game, or nullptr: how the division's exports learn
// of moved, cancelled and played ties.
using TTieLookup = std::function<const TTieRecord*(const TGame&)>;
