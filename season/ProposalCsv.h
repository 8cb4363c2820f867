#pragma once
// Slot proposals as CSV, like the other CSVs of the program: UTF-8 with a
// byte-order mark, semicolons, CRLF lines.
#include "season/SlotProposal.h"

#include <string>
#include <vector>

struct TProposedDivision {
    const TDivisionValues* Division = nullptr;
    const std::vector<TSlotMove>* Moves = nullptr;
};

// Header Staffel;Mannschaft;von;nach, then one line per team that moves,
// slots by their field names (1A ... 5B).
std::string MakeProposalCsv(const std::vector<TProposedDivision>& divisions);
