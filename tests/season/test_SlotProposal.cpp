// The exact slot proposal: hand-made divisions with a known best placement,
// the tie-breaks, pinned teams, and the minimum over every placement of
// 8-team divisions.
#include "ProposalSupport.h"
#include "season/SlotProposal.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using enum TSlotName;
using enum TSpieltagKey;

std::string MovesText(const std::vector<TSlotMove>& moves) {
    std::string text;
    for (const TSlotMove& move : moves)
        text += move.Team + " " + std::string(SlotFieldName(move.From)) + "-" +
                std::string(SlotFieldName(move.To)) + "; ";
    return text;
}

TEST(SlotProposal, KnownBestPlacements) {
    struct TCase {
        const char* Name;
        std::vector<std::pair<TSlotName, const char*>> Teams; // into Division8("N")
        std::vector<TClubValues> Clubs;
        std::vector<TSlotName> Pinned;
        int Before, After;
        int Pairs;                   // slot pairs of one club after
        std::set<std::string> Moves; // every acceptable move list; empty: four moves
    };
    const TCase cases[] = {
        // 1A and 2A are at home together 5 times; 1A goes only with 4B, 2A
        // only with 3B: one swap of two teams.
        {"two teams of one club",
         {{s1A, "TV Hude"}, {s2A, "TV Hude II"}},
         {},
         {},
         5,
         0,
         0,
         {"TV Hude II 2A-4B; N 4B 4B-2A; ", "TV Hude 1A-3B; N 3B 3B-1A; "}},
        {"pinned 2A",
         {{s1A, "TV Hude"}, {s2A, "TV Hude II"}},
         {},
         {s2A},
         5,
         0,
         0,
         {"TV Hude 1A-3B; N 3B 3B-1A; "}},
        // 4B taken: 4A meets 1A at home once, every other slot more often.
        {"pins cost a clash",
         {{s1A, "TV Hude"}, {s2A, "TV Hude II"}},
         {},
         {s1A, s4B},
         5,
         1,
         0,
         {"TV Hude II 2A-4A; N 4A 4A-2A; "}},
        {"both pinned", {{s1A, "TV Hude"}, {s2A, "TV Hude II"}}, {}, {s1A, s2A}, 5, 5, 0, {""}},
        // Blocked on match day 2 (1A, 1B, 2A, 2B at home): both teams go to
        // 3 or 4, four teams move either way, and the tie goes to a pair.
        {"tie goes to a pair",
         {{s1A, "SC Nord"}, {s2A, "SC Nord 2"}},
         {{"SC Nord", 2, {Day(12, 9)}}},
         {},
         4,
         0,
         1,
         {}},
        // Already together in a pair, and capacity for both.
        {"nothing to gain: nothing moves",
         {{s2A, "SC Nord"}, {s2B, "SC Nord 2"}},
         {{"SC Nord", 2, {}}},
         {},
         0,
         0,
         1,
         {""}},
    };
    for (const TCase& c : cases) {
        TDivisionValues division = Division8("N");
        for (const auto& [slot, team] : c.Teams)
            SetTeam(division, slot, team);
        const TSeason season({division}, TClubDirectory(c.Clubs));
        TPinnedSlots pinned{};
        for (TSlotName slot : c.Pinned)
            pinned[static_cast<int>(slot)] = true;
        const TSlotProposal proposal = ProposeSlots(MakeProposalInput(season, 0, pinned));
        EXPECT_TRUE(proposal.Complete) << c.Name;
        EXPECT_EQ(proposal.ClashesBefore, c.Before) << c.Name;
        EXPECT_EQ(proposal.ClashesAfter, c.After) << c.Name;
        if (c.Moves.empty())
            EXPECT_EQ(proposal.Moves.size(), 4u) << c.Name << ": " << MovesText(proposal.Moves);
        else
            EXPECT_TRUE(c.Moves.contains(MovesText(proposal.Moves)))
                << c.Name << ": " << MovesText(proposal.Moves);
        EXPECT_EQ(ClubPairCount(MakePlacementContext(season, 0), proposal.Placement), c.Pairs)
            << c.Name;
        const TSeason after({Placed(division, proposal.Placement)}, TClubDirectory(c.Clubs));
        EXPECT_EQ(after.ClashCount(), c.After) << c.Name;
        for (TSlotName slot : c.Pinned)
            EXPECT_EQ(proposal.Placement[static_cast<int>(slot)], slot) << c.Name;
    }
}

TEST(SlotProposal, ScrambledDivisionsFindTheirClashFreePlacement) {
    std::mt19937 random(3);
    std::vector<TDivisionValues> divisions = MirroredPairs(3);
    ASSERT_EQ(TSeason(divisions, TClubDirectory()).ClashCount(), 0);
    for (std::size_t d = 1; d < divisions.size(); d += 2)
        divisions[d] = Scrambled(divisions[d], random);
    const TSeason season(divisions, TClubDirectory());
    ASSERT_GT(season.ClashCount(), 0);
    for (int d = 1; d < season.DivisionCount(); d += 2) {
        const TSlotProposal proposal = ProposeSlots(MakeProposalInput(season, d));
        EXPECT_EQ(proposal.DivisionClashesAfter, 0) << "division " << d;
        EXPECT_TRUE(proposal.Reasons.empty()) << "division " << d;
        std::vector<TDivisionValues> moved = divisions;
        moved[d] = Placed(divisions[d], proposal.Placement);
        EXPECT_EQ(TSeason(moved, TClubDirectory()).ClashCount(), proposal.ClashesAfter)
            << "division " << d;
        // The way back to the mirror slots is the only clash-free one.
        for (int s = 0; s < 8; ++s)
            EXPECT_EQ(TrimmedTeam(moved[d].Teams[s]),
                      TrimmedTeam(divisions[d - 1].Teams[7 - s]) + " II")
                << "division " << d << ", slot " << s;
    }
}

// Fewest clashes, then fewest moved teams, then most club pairs, over all
// 40 320 placements that keep the pinned teams.
struct TBruteForce {
    int Clashes = 1 << 30, Moved = 0, ClubPairs = 0;
};

TBruteForce BestByEnumeration(const TPlacementContext& context, const TPinnedSlots& pinned) {
    std::vector<int> order(context.Slots);
    TBruteForce best;
    do {
        TPlacement placement = IdentityPlacement();
        bool keepsPins = true;
        int moved = 0;
        for (std::size_t i = 0; i < order.size(); ++i) {
            const int from = context.Slots[i];
            placement[from] = static_cast<TSlotName>(order[i]);
            keepsPins = keepsPins && (!pinned[from] || order[i] == from);
            moved += order[i] != from && context.ClubOfSlot[from] >= 0;
        }
        if (!keepsPins)
            continue;
        const int clashes = PlacementClashCount(context, placement);
        const int pairs = ClubPairCount(context, placement);
        if (std::tie(clashes, moved, best.ClubPairs) < std::tie(best.Clashes, best.Moved, pairs))
            best = {clashes, moved, pairs};
    } while (std::next_permutation(order.begin(), order.end()));
    return best;
}

TEST(SlotProposal, EqualsTheBestOfEveryPlacementOfEightTeams) {
    for (unsigned seed : {1u, 2u, 3u}) {
        const TSeason season = DenseSeason(12, 30, seed);
        ASSERT_GT(season.ClashCount(), 0);
        for (int d = 0; d < season.DivisionCount() / 2; ++d) {
            const std::string input =
                "seed " + std::to_string(seed) + ", division " + std::to_string(d);
            TPinnedSlots pinned{};
            if (d % 2 == 1)
                pinned[d % 8] = pinned[(d + 3) % 8] = true;
            const TProposalInput proposalInput = MakeProposalInput(season, d, pinned);
            const TPlacementSearchResult found = SearchPlacement(proposalInput.Context, pinned);
            const TBruteForce best = BestByEnumeration(proposalInput.Context, pinned);
            EXPECT_EQ(found.Clashes, best.Clashes) << input;
            EXPECT_EQ(found.Moved, best.Moved) << input;
            EXPECT_EQ(found.ClubPairs, best.ClubPairs) << input;
            EXPECT_EQ(PlacementClashCount(proposalInput.Context, found.Placement), found.Clashes)
                << input;
            EXPECT_EQ(ClubPairCount(proposalInput.Context, found.Placement), found.ClubPairs)
                << input;
            for (int s = 0; s < SlotCount; ++s)
                if (pinned[s])
                    EXPECT_EQ(found.Placement[s], static_cast<TSlotName>(s)) << input;
        }
    }
}

TEST(SlotProposal, CancelGivesTheBestSoFarAndProgressRuns) {
    const TSeason season = DenseSeason(20, 40, 7);
    const int division = season.DivisionCount() - 1; // 10 teams
    std::atomic<bool> cancel = false;
    int calls = 0;
    double last = 0;
    TSearchControl control;
    control.Cancel = &cancel;
    control.Progress = [&](const TSearchProgress& progress) {
        EXPECT_GE(progress.Fraction, last - 1e-9);
        last = progress.Fraction;
        ++calls;
        cancel = true;
    };
    const TProposalInput input = MakeProposalInput(season, division);
    const TSlotProposal proposal = ProposeSlots(input, control);
    EXPECT_GT(calls, 0);
    EXPECT_FALSE(proposal.Complete);
    EXPECT_LE(proposal.ClashesAfter, proposal.ClashesBefore);
    EXPECT_EQ(PlacementClashCount(input.Context, proposal.Placement), proposal.ClashesAfter);
    EXPECT_TRUE(proposal.Reasons.empty());

    // Run to the end, the progress reaches the whole.
    cancel = false;
    last = 0;
    control.Progress = [&](const TSearchProgress& progress) { last = progress.Fraction; };
    const TSlotProposal whole = ProposeSlots(input, control);
    EXPECT_TRUE(whole.Complete);
    EXPECT_LE(whole.ClashesAfter, proposal.ClashesAfter);
    EXPECT_NEAR(last, 1.0, 1e-9);
}

} // namespace
