#pragma once
// The clash list as CSV, like the division CSV: UTF-8 with a byte-order
// mark, semicolons, CRLF lines.
#include "season/Clashes.h"

#include <string>
#include <vector>

// Header Datum;Uhrzeit;Verein;Art;Staffel;Spieltag;Heim;Gast, then one line
// per game involved (Art Halle, Gesperrt or Doppelt) in date and game-time
// order over all the seasons, double entries last: one line per division,
// the team as Heim, date, time, match day and Gast empty. Dates as
// 26.09.2009 whatever the regional settings.
std::string MakeClashCsv(const std::vector<const TSeason*>& seasons);
std::string MakeClashCsv(const TSeason& season);
// The same with the clashes given per season (with the holiday findings,
// Art Ferien, Verein empty, one line per game of the match day).
std::string MakeClashCsv(const std::vector<const TSeason*>& seasons,
                         const std::vector<std::vector<TClash>>& clashes);
std::string MakeClashCsv(const TSeason& season, const std::vector<TClash>& clashes);

// "Halle", "Gesperrt", "Doppelt", "Ferien".
std::string_view ClashKindName(TClashKind kind);
