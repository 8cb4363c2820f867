#pragma once
// A tie's row as the results window shows and reads it: date, time, the three
// score pairs and the note as typed, and the record they stand for.
#include "data/RegionalSettings.h"
#include "season/Clashes.h"

#include <string>
#include <vector>

// Windows-1252 texts. Datum in the user's short date format; an empty Datum
// or Uhrzeit is the match day's date or the layout's time.
struct TTypedTie {
    std::string Datum;
    std::string Uhrzeit;
    std::string Spiele;
    std::string Saetze;
    std::string Punkte;
    std::string Bemerkung;
    friend bool operator==(const TTypedTie&, const TTypedTie&) = default;
};

// The row before anything is typed.
TTypedTie ShownTie(const TSeason& season, const TSeasonGame& game,
                   const TRegionalSettings& settings);

// The stored record (or a new one) with the typed values. A date or time
// equal to the match day's is no move. A result typed into an open, walkover
// or cancelled tie makes it played; a played tie emptied is open again. Fails
// (German) for a game without both teams and a text that is no date, time
// or pair; the result rules are the saving's.
TTieRecord TypedTieRecord(const TSeason& season, const TSeasonGame& game, const TTypedTie& typed,
                          const TRegionalSettings& settings);

// The record with the state of a button: open, walkover and cancelled ties
// lose their result, a re-scored one keeps it as played.
TTieRecord WithTieState(TTieRecord record, TTieState state);

// Games of a division in the order the window lists them (date, time).
std::vector<int> TiesInTimeOrder(const TSeason& season, int division);

// One line naming a record for lists and questions: "3. Spieltag: A - B
// (5:3)", a team's record "A: zurückgezogen"; Windows-1252.
std::string TieRecordLine(const TTieRecord& record);
