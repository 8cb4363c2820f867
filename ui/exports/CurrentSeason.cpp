#include "ui/exports/CurrentSeason.h"

#include "data/StaffelError.h"

TCurrentSeason CurrentSeason(TRecordTable& t_staffel, std::vector<TClubValues> clubs) {
    t_staffel.FinishEdit();
    const int current = t_staffel.Active() ? t_staffel.DisplayIndex() : -1;
    if (current < 0)
        throw TStaffelError("Es ist keine Staffel ausgewählt.");
    std::vector<TDivisionValues> all = AllDivisions(t_staffel);
    const auto year = all[current].Jahr;
    if (!year)
        throw TStaffelError("Die Staffel hat kein Jahr und gehört daher zu keiner Saison.");
    std::vector<TDivisionValues> divisions;
    std::vector<int> rows;
    int division = -1;
    for (int row = 0; row < static_cast<int>(all.size()); ++row) {
        if (all[row].Jahr != year)
            continue;
        if (row == current)
            division = static_cast<int>(rows.size());
        rows.push_back(row);
        divisions.push_back(std::move(all[row]));
    }
    TSeason season(std::move(divisions), TClubDirectory(std::move(clubs), t_staffel.Settings()));
    return {*year, std::move(season), std::move(rows), division};
}
