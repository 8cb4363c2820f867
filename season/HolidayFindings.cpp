#include "season/HolidayFindings.h"

#include <algorithm>

std::vector<TClash> HolidayFindings(const TSeason& season, const TDaysOff& daysOff) {
    std::vector<TClash> findings;
    for (int d = 0; d < season.DivisionCount(); ++d) {
        const TDivisionValues& division = season.Division(d);
        for (TSpieltagKey key : MatchDaysUsedBy(LayoutOf(division))) {
            const auto date = division.Date(key);
            if (!date)
                continue;
            auto reason = daysOff.ReasonOff(*date);
            if (!reason)
                continue;
            TClash finding;
            finding.Kind = ckHoliday;
            finding.Date = *date;
            finding.Holiday = std::move(*reason);
            for (const TSeasonGame& game : season.Games(d))
                if (game.Day == key)
                    finding.Games.push_back(game);
            findings.push_back(std::move(finding));
        }
    }
    std::stable_sort(findings.begin(), findings.end(),
                     [](const TClash& a, const TClash& b) { return a.Date < b.Date; });
    return findings;
}

std::vector<TClash> ClashesWithHolidays(const TSeason& season, const TDaysOff& daysOff) {
    std::vector<TClash> all = season.Clashes();
    std::vector<TClash> findings = HolidayFindings(season, daysOff);
    if (findings.empty())
        return all;
    const auto doubles = std::find_if(all.begin(), all.end(),
                                      [](const TClash& clash) { return clash.Kind == ckDouble; });
    std::vector<TClash> merged;
    merged.reserve(all.size() + findings.size());
    std::merge(std::make_move_iterator(all.begin()), std::make_move_iterator(doubles),
               std::make_move_iterator(findings.begin()), std::make_move_iterator(findings.end()),
               std::back_inserter(merged),
               [](const TClash& a, const TClash& b) { return a.Date < b.Date; });
    std::move(doubles, all.end(), std::back_inserter(merged));
    return merged;
}
