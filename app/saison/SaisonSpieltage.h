#pragma once
// staffelplan-saison --spieltage: a season's match days proposed from the
// folder's school holidays and blocked dates, for one state.
#include "SaisonArgs.h"

#include "data/table/RecordTable.h"
#include "season/MatchDayProposal.h"

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>

// Loads a data file into a table; fails with the German message.
using TTableLoader = std::function<void(TRecordTable&, const std::filesystem::path&)>;

// Prints Spieltag;Datum lines to out and the reasons to err; 0 with a
// proposal, 2 without one. Fails (TStaffelError) on a file it cannot read.
int PrintMatchDayProposal(const TSaisonArgs& args, const TTableLoader& load, std::ostream& out,
                          std::ostream& err);
