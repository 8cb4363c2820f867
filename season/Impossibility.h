#pragma once
// Why no placement of a division is free of clashes: the clubs whose hall
// capacity or blocked dates force clashes in every placement, and the
// clubs that compete for the same clash-free slots, so that the planner
// knows whom to ask.
#include "season/SlotProposal.h"

#include <string>
#include <vector>

// German sentences (UTF-8), the first naming the minimum. Every statement
// holds for every placement that keeps the pinned teams.
std::vector<std::string> ExplainClashes(const TProposalInput& input, int minimumDivisionClashes);
