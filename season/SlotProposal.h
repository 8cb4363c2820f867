#pragma once
// The slot proposal for one division: which team goes into which slot so
// that the season has the fewest clashes. Made for a worker thread: the
// input is a copy of everything the search reads, taken on the thread that
// owns the season, and the result is plain values.
#include "season/PlacementSearch.h"

#include <string>
#include <vector>

struct TSlotMove {
    std::string Team; // Windows-1252, without blanks around
    TSlotName From = TSlotName::s1A;
    TSlotName To = TSlotName::s1A;
};

struct TProposalInput {
    TPlacementContext Context;
    TDivisionValues Division;
    std::vector<TClubValues> Clubs; // one per Context.Clubs, for the explanations
    TPinnedSlots Pinned{};          // record order; a pinned team keeps its slot
};

struct TSlotProposal {
    int ClashesBefore = 0;         // the season's clash count now
    int ClashesAfter = 0;          // with the proposal
    int DivisionClashesBefore = 0; // of them, those the division takes part in
    int DivisionClashesAfter = 0;
    // False when cancelled or out of budget: the best found so far, never
    // worse than now.
    bool Complete = true;
    TPlacement Placement = IdentityPlacement(); // the team in slot s goes to Placement[s]
    std::vector<TSlotMove> Moves;               // by old slot
    std::array<std::string, SlotCount> Teams;   // the ten slot fields after, record order
    // Why the division cannot be free of clashes (German, UTF-8); empty when
    // it is, or when the search did not finish.
    std::vector<std::string> Reasons;
    std::int64_t Nodes = 0;
};

// Cheap; call it where the season lives.
TProposalInput MakeProposalInput(const TSeason& season, int division,
                                 const TPinnedSlots& pinned = {});
// Any thread; reads only the input.
TSlotProposal ProposeSlots(const TProposalInput& input, const TSearchControl& control = {});

// The teams of a division after a placement, and the teams that move.
std::array<std::string, SlotCount> PlacedTeams(const TDivisionValues& division,
                                               const TPlacement& newSlot);
std::vector<TSlotMove> MovesOf(const TDivisionValues& division, const TPlacement& newSlot);
