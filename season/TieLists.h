#pragma once
// The season overview's lists of ties: moved ones, those past their date
// without a result, and records that lost their tie.
#include "season/Clashes.h"

#include <vector>

// Moved ties in time order.
std::vector<TGameRef> MovedTies(const TSeason& season);
// "Ergebnis fehlt": open ties dated before today, in time order.
std::vector<TGameRef> TiesWithoutResult(const TSeason& season, TDaySerial today);

// The record of each layout game of a division, for the division's
// calendar and CSV exports.
TTieLookup TieLookupOf(const TSeason& season, int division);
