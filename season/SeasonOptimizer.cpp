#include "season/SeasonOptimizer.h"

namespace {

TPinnedSlots PinsOf(const std::vector<TPinnedSlots>& pinned, int division) {
    return division < static_cast<int>(pinned.size()) ? pinned[division] : TPinnedSlots{};
}

} // namespace

TSeasonOptimization OptimizeSeason(TSeason season, const std::vector<TPinnedSlots>& pinned,
                                   const TSearchControl& control) {
    const int divisions = season.DivisionCount();
    const std::vector<TDivisionValues> start = [&] {
        std::vector<TDivisionValues> values;
        for (int d = 0; d < divisions; ++d)
            values.push_back(season.Division(d));
        return values;
    }();
    // From the start slot to the current one, per division.
    std::vector<TPlacement> moved(divisions, IdentityPlacement());

    TSeasonOptimization result;
    result.ClashesBefore = season.ClashCount();
    TSearchControl inner;
    inner.Cancel = control.Cancel;
    inner.NodeLimit = control.NodeLimit;
    for (bool improved = true; improved && !control.Cancelled();) {
        improved = false;
        ++result.Passes;
        for (int d = 0; d < divisions && !control.Cancelled(); ++d) {
            if (control.Progress)
                control.Progress(
                    {static_cast<double>(d) / divisions, result.Passes, d, season.ClashCount()});
            const TPlacementContext context = MakePlacementContext(season, d);
            if (context.RestClashCount == season.ClashCount())
                continue; // nothing of this division to improve
            const TPlacementSearchResult found = SearchPlacement(context, PinsOf(pinned, d), inner);
            if (found.Clashes >= season.ClashCount())
                continue;
            TDivisionValues values = season.Division(d);
            values.Teams = PlacedTeams(values, found.Placement);
            season.ReplaceDivision(d, std::move(values));
            for (TSlotName& slot : moved[d])
                slot = found.Placement[static_cast<int>(slot)];
            improved = true;
        }
    }
    result.Complete = !control.Cancelled();
    result.ClashesAfter = season.ClashCount();
    for (int d = 0; d < divisions; ++d) {
        std::vector<TSlotMove> moves = MovesOf(start[d], moved[d]);
        if (moves.empty())
            continue;
        result.Divisions.push_back(
            {d, moved[d], std::move(moves), PlacedTeams(start[d], moved[d])});
    }
    return result;
}
