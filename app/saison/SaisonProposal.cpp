#include "SaisonProposal.h"

#include "SaisonArgs.h"

#include "data/StaffelError.h"
#include "season/ProposalCsv.h"
#include "season/SeasonOptimizer.h"

#include <iostream>

namespace {

// Divisions whose class is the name as typed; letter case and repeated
// blanks count only when nothing matches exactly.
std::vector<TFoundDivision> FindDivisions(const std::vector<std::unique_ptr<TSeason>>& seasons,
                                          const std::string& name) {
    std::vector<TFoundDivision> exact, folded;
    const std::string wanted = TrimmedTeam(name), wantedFolded = FoldClubName(name);
    for (const auto& season : seasons)
        for (int d = 0; d < season->DivisionCount(); ++d) {
            const std::string& klasse = season->Division(d).Klasse;
            if (TrimmedTeam(klasse) == wanted)
                exact.push_back({season.get(), d});
            else if (FoldClubName(klasse) == wantedFolded)
                folded.push_back({season.get(), d});
        }
    return exact.empty() ? folded : exact;
}

void PrintCounts(int before, int after) {
    std::cerr << "Konflikte vorher " << before << ", nachher " << after << '\n';
}

} // namespace

TFoundDivision FindOneDivision(const std::vector<std::unique_ptr<TSeason>>& seasons,
                               const std::string& typed, std::optional<std::int32_t> year) {
    const std::vector<TFoundDivision> found = FindDivisions(seasons, FieldTextFromArgument(typed));
    if (found.empty())
        throw TStaffelError(
            "Eine Staffel " + Quoted(typed) + " gibt es " +
            (year ? "im Jahr " + std::to_string(*year) + " nicht." : std::string("nicht.")));
    if (found.size() > 1)
        throw TStaffelError("Die Staffel " + Quoted(typed) +
                            " gibt es mehrmals; bitte das Jahr mit --jahr angeben.");
    return found.front();
}

int PrintProposal(const std::vector<std::unique_ptr<TSeason>>& seasons, const std::string& typed,
                  std::optional<std::int32_t> year) {
    const auto [found, division] = FindOneDivision(seasons, typed, year);
    const TSeason& season = *found;
    const TSlotProposal proposal = ProposeSlots(MakeProposalInput(season, division));
    std::cout << MakeProposalCsv({{&season.Division(division), &proposal.Moves}});
    for (const std::string& reason : proposal.Reasons)
        std::cerr << reason << '\n';
    PrintCounts(proposal.ClashesBefore, proposal.ClashesAfter);
    return 0;
}

int PrintOptimization(const std::vector<std::unique_ptr<TSeason>>& seasons) {
    std::vector<TSeasonOptimization> results;
    std::vector<TProposedDivision> proposed;
    int before = 0, after = 0;
    results.reserve(seasons.size());
    for (const auto& season : seasons) {
        results.push_back(OptimizeSeason(*season));
        before += results.back().ClashesBefore;
        after += results.back().ClashesAfter;
        for (const TDivisionMoves& moves : results.back().Divisions)
            proposed.push_back({&season->Division(moves.Division), &moves.Moves});
    }
    std::cout << MakeProposalCsv(proposed);
    PrintCounts(before, after);
    return 0;
}
