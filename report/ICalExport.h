#pragma once
// A division's games as an iCalendar file (RFC 5545): UTF-8, CRLF, lines
// folded at 75 octets, times in Europe/Berlin.
#include "report/DivisionValues.h"
#include "report/Fixtures.h"
#include "report/TieValues.h"

#include <cstdint>
#include <string>
#include <string_view>

enum TCalendarScope { csOwnTeam, csDivision };

struct TCalendarExport {
    std::string Text; // the whole file
    int Events = 0;
    int Undated = 0; // games of the scope left out for want of a date
};

// One event per dated game of the scope. The UIDs depend only on year,
// class, match day, game time and slots, so that a calendar program
// updates its events when the file is imported again. stampUtc (seconds
// since 1970, UTC) becomes every event's DTSTAMP, and as seconds since
// 2000-01-01 UTC its SEQUENCE, which grows with every export so that a moved
// date counts as an update. csOwnTeam fails when the own team is missing or
// stands in no slot.
// With ties, each game's record decides: a moved tie at its own date and
// time (same UID), a cancelled one left out, a played one with its result.
TCalendarExport MakeCalendar(const TDivisionValues& division, TCalendarScope scope,
                             std::int64_t stampUtc, const TTieLookup& ties = {});

// The pieces of MakeCalendar, for calendars of other games: the opening
// lines with the time zone, one game's event (false and nothing written
// when its match day has no date iCalendar can hold; DTSTAMP and SEQUENCE
// from stampUtc as in MakeCalendar),
// and the closing line.
void BeginCalendar(std::string& out, std::string_view nameUtf8);
bool AddGameEvent(std::string& out, const TDivisionValues& division, const TGame& game,
                  std::int64_t stampUtc, const TTieRecord* tie = nullptr);
void EndCalendar(std::string& out);

// A TEXT value with backslash, semicolon, comma and line breaks escaped.
std::string EscapeICalText(std::string_view utf8);
// One content line, folded after 75 octets without splitting a UTF-8
// sequence, each physical line ended with CRLF.
std::string FoldICalLine(std::string_view line);
