#include "ui/exports/CurrentSeason.h"

#include "data/StaffelError.h"

TCurrentSeason CurrentSeason(TRecordTable& t_staffel, std::vector<TClubValues> clubs,
                             const std::vector<TTieRecord>& ties) {
    t_staffel.FinishEdit();
    const int current = t_staffel.Active() ? t_staffel.DisplayIndex() : -1;
    if (current < 0)
        throw TStaffelError("Es ist keine Staffel ausgewählt.");
    const auto year = DivisionFromCurrentRow(t_staffel).Jahr;
    if (!year)
        throw TStaffelError("Die Staffel hat kein Jahr und gehört daher zu keiner Saison.");
    return SeasonOfYear(t_staffel, std::move(clubs), ties, *year, current);
}

TCurrentSeason SeasonOfYear(TRecordTable& t_staffel, std::vector<TClubValues> clubs,
                            const std::vector<TTieRecord>& ties, std::int32_t year,
                            int displayRow) {
    std::vector<TDivisionValues> all = AllDivisions(t_staffel);
    std::vector<TDivisionValues> divisions;
    std::vector<int> rows;
    int division = -1;
    for (int row = 0; row < static_cast<int>(all.size()); ++row) {
        if (all[row].Jahr != year)
            continue;
        if (row == displayRow)
            division = static_cast<int>(rows.size());
        rows.push_back(row);
        divisions.push_back(std::move(all[row]));
    }
    TSeason season(std::move(divisions), TClubDirectory(std::move(clubs), t_staffel.Settings()),
                   TiesOfYear(ties, year));
    return {year, std::move(season), std::move(rows), division};
}

std::vector<TTieRecord> TiesOfYear(const std::vector<TTieRecord>& ties, std::int32_t year) {
    std::vector<TTieRecord> ofYear;
    for (const TTieRecord& record : ties)
        if (record.Jahr == year)
            ofYear.push_back(record);
    return ofYear;
}
