#pragma once
// One division as plain values, read once from the current row, so that the
// checks and exports work without the table.
#include "data/Dates.h"
#include "data/Records.h"
#include "data/table/RecordTable.h"
#include "report/FixtureLayout.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct TDivisionValues {
    std::string Ueberschrift; // texts Windows-1252
    std::string Klasse;
    std::optional<std::int32_t> Jahr;
    bool TenTeams = false;
    std::string Mannschaft;
    std::array<std::string, SlotCount> Teams;                   // record order 1A .. 5B
    std::array<std::optional<TDaySerial>, SpieltagCount> Dates; // record order 1 .. 8, 4A, 8A

    const std::string& Team(TSlotName slot) const { return Teams[static_cast<int>(slot)]; }
    std::optional<TDaySerial> Date(TSpieltagKey key) const { return Dates[static_cast<int>(key)]; }
    friend bool operator==(const TDivisionValues&, const TDivisionValues&) = default;
};

// Reads the current row (the pending values while editing); fails when the
// table has no current division.
TDivisionValues DivisionFromCurrentRow(TRecordTable& table);
// Every row in the table's display order (a pending row as it stands),
// without moving the cursor.
std::vector<TDivisionValues> AllDivisions(TRecordTable& table);

// The layout of the division (LayoutFor).
const TFixtureLayout& LayoutOf(const TDivisionValues& division);
// The slots and match days a layout's pairings use, slots in record order,
// match days in time order.
std::vector<TSlotName> SlotsUsedBy(const TFixtureLayout& layout);
std::vector<TSpieltagKey> MatchDaysUsedBy(const TFixtureLayout& layout);

// A team name without the blanks around it; blank names count as none.
std::string TrimmedTeam(std::string_view name);
// Whether a slot's text is "spielfrei" (any letter case, blanks around
// ignored): the slot is left free on purpose, so its games are no ties.
bool IsBye(std::string_view team);
// The slots of a division that are byes.
bool IsByeSlot(const TDivisionValues& division, TSlotName slot);
// The team of a slot as the exports and pages name it: the name, "spielfrei"
// for a bye, or "Platz 1A";
// Windows-1252 and UTF-8.
std::string TeamLabel(const TDivisionValues& division, TSlotName slot);
std::string TeamLabelUtf8(const TDivisionValues& division, TSlotName slot);
// "Bezirksliga 2026" (UTF-8), for titles and file names.
std::string DivisionTitleUtf8(const TDivisionValues& division);
// The same from the class name (Windows-1252) and the year as printed.
std::string DivisionTitleUtf8(std::string_view klasse, std::string_view jahr);
