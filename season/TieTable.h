#pragma once
// The tie file's table as the season works on it: a record found by its
// key, put in place, and saved through the store.
#include "data/Store.h"
#include "report/TieValues.h"
#include "season/Clashes.h"

#include <optional>
#include <string>

// Whether two records have the same key: Jahr, and Klasse, Heim and Gast
// compared folded as team names.
bool SameTieKey(const TTieRecord& a, const TTieRecord& b);
// A record for a game of the season, its key and match day filled, open.
TTieRecord NewTieRecord(const TSeason& season, const TSeasonGame& game);
// A record of a team alone (withdrawal or deduction) in a division.
TTieRecord NewTeamRecord(const TDivisionValues& division, std::string_view team, TTieState state);

// The display row of the record with that key, -1 none.
int FindTieRow(TRecordTable& ties, const TTieRecord& key);
std::optional<TTieRecord> FindTieRecord(TRecordTable& ties, const TTieRecord& key);
// Checks the record (TieRecordProblem: TStaffelError with the rule's
// message, nothing changed), then edits the row with its key, or appends
// one, and posts. Ends a pending edit of the table first.
void PutTieRecord(TRecordTable& ties, const TTieRecord& record);
// Deletes the row with that key; false when there is none.
bool DeleteTieRecord(TRecordTable& ties, const TTieRecord& key);

// Put, then save the tie file (created with its first record).
void SaveTieRecord(TStore& store, const TTieRecord& record);
// Delete, then save; false when there was no such record.
bool RemoveTieRecord(TStore& store, const TTieRecord& key);
