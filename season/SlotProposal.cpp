#include "season/SlotProposal.h"

#include "season/Impossibility.h"

TProposalInput MakeProposalInput(const TSeason& season, int division, const TPinnedSlots& pinned) {
    TProposalInput input;
    input.Context = MakePlacementContext(season, division);
    input.Division = season.Division(division);
    for (const TPlacementClub& club : input.Context.Clubs)
        input.Clubs.push_back(season.Clubs().Club(club.Club));
    input.Pinned = pinned;
    return input;
}

TSlotProposal ProposeSlots(const TProposalInput& input, const TSearchControl& control) {
    const TPlacementContext& context = input.Context;
    const TPlacementSearchResult found = SearchPlacement(context, input.Pinned, control);
    TSlotProposal proposal;
    proposal.ClashesBefore = PlacementClashCount(context, IdentityPlacement());
    proposal.ClashesAfter = found.Clashes;
    proposal.DivisionClashesBefore = proposal.ClashesBefore - context.RestClashCount;
    proposal.DivisionClashesAfter = found.Clashes - context.RestClashCount;
    proposal.Complete = found.Complete;
    proposal.Placement = found.Placement;
    proposal.Moves = MovesOf(input.Division, found.Placement);
    proposal.Teams = PlacedTeams(input.Division, found.Placement);
    proposal.Nodes = found.Nodes;
    if (found.Complete && proposal.DivisionClashesAfter > 0)
        proposal.Reasons = ExplainClashes(input, proposal.DivisionClashesAfter);
    return proposal;
}

std::array<std::string, SlotCount> PlacedTeams(const TDivisionValues& division,
                                               const TPlacement& newSlot) {
    std::array<std::string, SlotCount> teams;
    for (int s = 0; s < SlotCount; ++s)
        teams[static_cast<int>(newSlot[s])] = division.Teams[s];
    return teams;
}

std::vector<TSlotMove> MovesOf(const TDivisionValues& division, const TPlacement& newSlot) {
    std::vector<TSlotMove> moves;
    for (int s = 0; s < SlotCount; ++s) {
        const auto from = static_cast<TSlotName>(s);
        std::string team = TrimmedTeam(division.Team(from));
        if (!team.empty() && newSlot[s] != from)
            moves.push_back({std::move(team), from, newSlot[s]});
    }
    return moves;
}
